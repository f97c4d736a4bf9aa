// tests/cpu/sequencerFixture.h
// Sequencer tests run on a manual clock with a show's state fresh from its start.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "audio/beat.h"
#include "scenes/sceneRegistry.h"
#include "sequencer/sceneBase.h"
#include "sequencer/showState.h"

class SequencerFixture : public ::testing::Test {
protected:
    // A test puts its own scenes into an empty table of the registry's size, and may change the playlist.
    void SetUp() override { show.sequence.sceneTable.assign(sceneSlotCount(), nullptr); }
    ShowState show;
};

// A scene that plays a given script and lets a test see, and change, the state it is entered in.
class cProbeScene : public cSceneBase {
public:
    using cSceneBase::cSceneBase;
    std::vector<Phase> script = {Phase{"hold", 0.5f, {}, {}}};
    std::function<void()> onEnter;  // runs first, like a scene entry's own settings

    void enter() override
    {
        if (onEnter)
            onEnter();
        beginScript();
        timeline.phases = script;
        startTimeline(show, timeline);
    }
};

// One scene of the given class, played frame by frame on the manual clock, with music times chosen for its beats.
template <class Scene>
class SceneScript : public SequencerFixture {
protected:
    Scene scene{show};
    double stepSec = 0.001;
    float musicSec = 0.0f;

    // Call once before a scene update: a beat frame crosses the music into the next beat, any other stands still.
    void musicFrame(bool beat)
    {
        if (beat) {
            trackBeat(show.beat, musicSec + 0.4f);
            musicSec += 0.46875f;
        }
        trackBeat(show.beat, musicSec);
    }

    void enterAt(double now)
    {
        show.demoClock = now;
        scene.enter();
    }
    void frame() { frameAt(show.demoClock + stepSec); }
    void frameAt(double now)
    {
        show.demoClock = now;
        scene.update();
    }
    // One frame at a point inside the current phase.
    void updateAt(double secIntoPhase) { frameAt(scene.timeline.phaseStart + secIntoPhase); }
    // Frames until the named phase is current; false if the script ends first. An empty name runs to the end.
    bool runUntil(const std::string& name)
    {
        for (double end = show.demoClock + 60.0; phase() != name && !scene.finished && show.demoClock < end;)
            frame();
        return phase() == name;
    }
    std::string phase() const
    {
        const SceneTimeline& t = scene.timeline;
        return t.index < (int)t.phases.size() ? t.phases[t.index].name : "";
    }
};
