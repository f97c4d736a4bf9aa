// tests/cpu/sceneScriptRun.h
// Plays a scene's script frame by frame on the manual clock and records when each phase began.
#pragma once

#include <string>
#include <vector>

#include "sequencer/demoClock.h"
#include "sequencer/labels.h"
#include "sequencer/sceneBase.h"

struct PhaseStart {
    std::string name;
    double at;
};

struct ScriptRun {
    ScriptRun(ManualClock& clock, cSceneBase& scene) : clock(clock), scene(scene) {}

    ManualClock& clock;
    cSceneBase& scene;
    double stepSec = 0.001;
    std::vector<PhaseStart> starts;
    std::vector<std::string> labelsShown;  // every text added to the label log, in order

    // Call right after the scene's enter, with the clock at the entry time.
    void begin()
    {
        starts.clear();
        labelsShown.clear();
        recordPhase();
    }

    void frame()
    {
        clock.now += stepSec;
        int before = scene.timeline.index;
        scene.update();
        if (scene.timeline.index != before)
            recordPhase();
        recordLabels();
    }

    // Frames until the named phase is current (or the script ends); returns false if it never comes.
    bool runUntilPhase(const char* name, double limitSec = 60.0)
    {
        double end = clock.now + limitSec;
        while (clock.now < end && !scene.finished) {
            if (currentName() == name)
                return true;
            frame();
        }
        return currentName() == name;
    }

    void runFor(double seconds)
    {
        double end = clock.now + seconds;
        while (clock.now < end)
            frame();
    }

    std::string currentName() const
    {
        const SceneTimeline& t = scene.timeline;
        return t.index < (int)t.phases.size() ? t.phases[t.index].name : "";
    }

private:
    void recordPhase()
    {
        if (!currentName().empty())
            starts.push_back({currentName(), clock.now});
    }

    // Entries stamped with this frame's clock are the ones this frame added.
    void recordLabels()
    {
        for (const LabelEntry& entry : labelLog)
            if (entry.shown == (float)clock.now)
                labelsShown.push_back(entry.text);
    }
};
