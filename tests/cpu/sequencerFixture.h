// tests/cpu/sequencerFixture.h
// Sequencer tests run on a manual clock with every piece of shared state at its start-up value.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iterator>
#include <vector>

#include "app/demoApp.h"
#include "sequencer/demoClock.h"
#include "sequencer/sceneBase.h"
#include "sequencer/sceneSequence.h"

class SequencerFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        savedPlaylist = scenePlaylist;
        std::copy(std::begin(sceneTable), std::end(sceneTable), savedTable);
        restoreSharedDefaults();
    }

    void TearDown() override
    {
        scenePlaylist = savedPlaylist;
        std::copy(std::begin(savedTable), std::end(savedTable), sceneTable);
        restoreSharedDefaults();
    }

private:
    std::vector<int> savedPlaylist;
    cSceneBase* savedTable[sceneTableSize] = {};
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
