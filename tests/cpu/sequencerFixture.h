// tests/cpu/sequencerFixture.h
// Sequencer tests run on a manual clock with every piece of shared state at its start-up value.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "app/demoApp.h"
#include "audio/beat.h"
#include "sequencer/demoClock.h"
#include "sequencer/sceneBase.h"
#include "sequencer/sceneSequence.h"

class SequencerFixture : public ::testing::Test {
protected:
    // A test puts its own scenes into an empty table of the registry's size, and may change the playlist.
    void SetUp() override
    {
        resetRun();
        sceneTable.assign(sceneTable.size(), nullptr);
    }
    void TearDown() override
    {
        scenePlaylist = savedPlaylist;
        resetRun();
    }
    std::vector<int> savedPlaylist = scenePlaylist;
};

// A scene that plays a given script and lets a test see, and change, the state it is entered in.
class cProbeScene : public cSceneBase {
public:
    std::vector<Phase> script = {Phase{"hold", 0.5f, {}, {}}};
    std::function<void()> onEnter;  // runs first, like a scene entry's own settings

    void enter() override
    {
        if (onEnter)
            onEnter();
        beginScript();
        timeline.phases = script;
        startTimeline(timeline);
    }
    void fill(int) override {}
};

// One scene of the given class, played frame by frame on the manual clock, with music times chosen for its beats.
template <class Scene>
class SceneScript : public SequencerFixture {
protected:
    Scene scene;
    double stepSec = 0.001;
    float musicSec = 0.0f;

    // Call once before a scene update: a beat frame crosses the music into the next beat, any other stands still.
    void musicFrame(bool beat)
    {
        if (beat) {
            trackBeat(musicSec + 0.4f);
            musicSec += 0.46875f;
        }
        trackBeat(musicSec);
    }

    void enterAt(double now)
    {
        setDemoClock(now);
        scene.enter();
    }
    void frame() { frameAt(demoClock() + stepSec); }
    void frameAt(double now)
    {
        setDemoClock(now);
        scene.update();
    }
    // One frame at a point inside the current phase.
    void updateAt(double secIntoPhase) { frameAt(scene.timeline.phaseStart + secIntoPhase); }
    // Frames until the named phase is current; false if the script ends first. An empty name runs to the end.
    bool runUntil(const std::string& name)
    {
        for (double end = demoClock() + 60.0; phase() != name && !scene.finished && demoClock() < end;)
            frame();
        return phase() == name;
    }
    std::string phase() const
    {
        const SceneTimeline& t = scene.timeline;
        return t.index < (int)t.phases.size() ? t.phases[t.index].name : "";
    }
};
