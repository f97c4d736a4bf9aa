// tests/cpu/sequencerFixture.h
// Sequencer tests run on a manual clock with every piece of shared state at its start-up value.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <vector>

#include "app/demoApp.h"
#include "sequencer/demoClock.h"
#include "sequencer/sceneSequence.h"

class SequencerFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        savedPlaylist = scenePlaylist;
        std::copy(std::begin(sceneTable), std::end(sceneTable), savedTable);
        clock.install();
        restoreSharedDefaults();
    }

    void TearDown() override
    {
        scenePlaylist = savedPlaylist;
        std::copy(std::begin(savedTable), std::end(savedTable), sceneTable);
        restoreSharedDefaults();
        setDemoClockSource({});
    }

    ManualClock clock;

private:
    std::vector<int> savedPlaylist;
    cSceneBase* savedTable[sceneTableSize] = {};
};
