// tests/cpu/beatTests.cpp
// The 128 BPM beat flag over a scripted music cursor, and the per-frame decay of the two pulses.
#include <gtest/gtest.h>

#include "audio/beat.h"

#include <initializer_list>
#include <vector>

namespace {
// Runs the beat tracker over one cursor value per frame and returns the frames that flagged a beat.
std::vector<int> beatFrames(std::initializer_list<float> cursorsSec)
{
    resetBeatDefaults();
    std::vector<int> flagged;
    int frame = 0;
    for (float cursor : cursorsSec) {
        trackBeat(cursor);
        if (beatFlag)
            flagged.push_back(frame);
        ++frame;
    }
    return flagged;
}

int framesUntilZero(float& pulse)
{
    int frames = 0;
    while (pulse > 0.0f && frames < 1000) {
        decayPulses();
        ++frames;
    }
    return frames;
}
}

TEST(BeatTracking, FlagsOneFrameWhenTheBeatFractionFallsBack)
{
    // A beat lasts 60 / 128 = 0.46875 s.
    EXPECT_EQ(beatFrames({0.0f}), (std::vector<int>{})) << "the first frame has no earlier fraction to fall from";
    EXPECT_EQ(beatFrames({0.2f}), (std::vector<int>{})) << "starting mid-beat is not a new beat";
    EXPECT_EQ(beatFrames({0.0f, 0.2f, 0.4f, 0.46875f, 0.5f, 0.6f}), (std::vector<int>{3}));
    EXPECT_EQ(beatFrames({0.0f, 0.45f, 0.47f, 0.9f, 0.95f}), (std::vector<int>{2, 4}));
    // A stall across two boundaries (0.46875 and 0.9375) raises the flag once, not twice.
    EXPECT_EQ(beatFrames({0.3f, 1.2f, 1.25f}), (std::vector<int>{1}));
    // Frames faster than the cursor's updates see the same value and flag nothing.
    EXPECT_EQ(beatFrames({0.3f, 0.3f, 0.3f, 0.5f, 0.5f, 0.5f}), (std::vector<int>{3}));
    // Without music the cursor reads 0 in every frame.
    EXPECT_EQ(beatFrames({0.0f, 0.0f, 0.0f, 0.0f}), (std::vector<int>{}));
    EXPECT_FLOAT_EQ(musicTime, 0.0f);
}

TEST(BeatTracking, MusicTimeAndPhaseFollowTheCursor)
{
    resetBeatDefaults();
    EXPECT_FLOAT_EQ(beatPhase, -1.0f);
    trackBeat(1.171875f);  // two and a half beats
    EXPECT_FLOAT_EQ(musicTime, 1.171875f);
    EXPECT_FLOAT_EQ(beatPhase, 0.5f);
    EXPECT_FALSE(beatFlag);
}

TEST(BeatPulses, DecayEachFrameAndSnapToZero)
{
    resetBeatDefaults();
    cameraKick = 1.0f;
    hihatPulse = 1.0f;
    decayPulses();
    EXPECT_FLOAT_EQ(cameraKick, 0.85f);
    EXPECT_FLOAT_EQ(hihatPulse, 0.88f);

    cameraKick = 0.00115f;  // 0.85 of it is under 0.001
    hihatPulse = 0.00115f;  // 0.88 of it is not
    decayPulses();
    EXPECT_EQ(cameraKick, 0.0f);
    EXPECT_FLOAT_EQ(hihatPulse, 0.00115f * 0.88f);

    cameraKick = 1.0f;
    hihatPulse = 0.0f;
    EXPECT_EQ(framesUntilZero(cameraKick), 43);
    cameraKick = 0.0f;
    hihatPulse = 1.0f;
    EXPECT_EQ(framesUntilZero(hihatPulse), 55);
    EXPECT_EQ(cameraKick, 0.0f) << "a pulse at rest stays at rest";
    resetBeatDefaults();
}
