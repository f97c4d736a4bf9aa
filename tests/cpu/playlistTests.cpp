// tests/cpu/playlistTests.cpp
// The playlist advance: show order, end of show, repeated and non-scene entries.
#include <vector>

#include "probeScene.h"
#include "sequencerFixture.h"

namespace {
class Playlist : public SequencerFixture {
protected:
    cProbeScene scenes[sceneTableSize];
    std::vector<int> entered;
    SequencerFrames frames;

    void SetUp() override
    {
        SequencerFixture::SetUp();
        for (int i = 0; i < sceneTableSize; ++i) {
            scenes[i].entryLog = &entered;
            sceneTable[i] = &scenes[i];
        }
    }

    void usePlaylist(std::vector<int> entries)
    {
        scenePlaylist = std::move(entries);
        resetSceneSequence();
    }

    // Frames a quarter second apart, so every clock value is exact; stops when the show asks to close.
    void runFrames(int budget)
    {
        for (int frame = 0; frame < budget && !frames.closeRequested; ++frame) {
            clock.now += 0.25;
            frames.frame();
        }
    }
};
}

TEST_F(Playlist, ShowPlaysItsTenScenesInOrderThenCloses)
{
    EXPECT_EQ(currentSceneIndex, 9);
    runFrames(1000);
    EXPECT_TRUE(frames.closeRequested);
    EXPECT_EQ(entered, std::vector<int>({9, 2, 3, 7, 0, 8, 1, 6, 5, 4}));
    EXPECT_EQ(currentScene, &scenes[4]);
    EXPECT_EQ(playlistPos, 10);
}

TEST_F(Playlist, RepeatedIndexIsNotReEnteredAndTheAdvanceMovesOn)
{
    usePlaylist({1, 1, 2});
    runFrames(4);  // the 0.5 s script runs out on the fourth frame, whose advance lands on the repeat
    EXPECT_TRUE(scenes[1].finished);
    EXPECT_EQ(playlistPos, 1);
    EXPECT_EQ(currentSceneIndex, 1);
    runFrames(1);
    EXPECT_EQ(currentSceneIndex, 2);
    runFrames(1);
    EXPECT_EQ(entered, std::vector<int>({1, 2}));
    EXPECT_EQ(scenes[1].enters, 1);
}

TEST_F(Playlist, ScenePlayedTwiceKeepsItsLaterPlace)
{
    usePlaylist({1, 2, 1, 3});
    runFrames(1000);
    EXPECT_TRUE(frames.closeRequested);
    EXPECT_EQ(entered, std::vector<int>({1, 2, 1, 3}));
}

TEST_F(Playlist, CloseMarkerEndsAtOnceAndOtherEntriesArePassedOver)
{
    usePlaylist({1, -2, 2});
    runFrames(1000);
    EXPECT_TRUE(frames.closeRequested);
    EXPECT_EQ(entered, std::vector<int>({1}));
    EXPECT_EQ(playlistPos, 1);

    // -1, an empty slot and an index outside the table each cost one frame and leave the scene current.
    frames = SequencerFrames();
    entered.clear();
    sceneTable[3] = nullptr;
    usePlaylist({1, -1, 3, 42, 2});
    runFrames(4);
    ASSERT_TRUE(scenes[1].finished);
    for (int pos = 1; pos <= 3; ++pos) {
        EXPECT_EQ(playlistPos, pos);
        EXPECT_EQ(currentSceneIndex, 1);
        EXPECT_EQ(currentScene, &scenes[1]);
        runFrames(1);
    }
    EXPECT_EQ(currentSceneIndex, 2);
    runFrames(1000);
    EXPECT_EQ(entered, std::vector<int>({1, 2}));
    EXPECT_TRUE(frames.closeRequested);
}

TEST_F(Playlist, SwitchFindsThePlaceOfAnIndexSetFromOutside)
{
    runFrames(1);
    currentSceneIndex = 7;
    runFrames(1);
    EXPECT_EQ(playlistPos, 3);
    // An index the playlist does not hold leaves the place alone.
    scenePlaylist = {9, 2};
    currentSceneIndex = 5;
    runFrames(1);
    EXPECT_EQ(currentScene, &scenes[5]);
    EXPECT_EQ(playlistPos, 3);
}
