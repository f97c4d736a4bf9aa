// tests/cpu/beatTests.cpp
// The 128 BPM beat flag over a scripted music cursor, and the per-frame decay of the two pulses.
#include <gtest/gtest.h>

#include "audio/beat.h"

#include <vector>

TEST(BeatTracking, FlagsOneFrameWhenTheBeatFractionFallsBack)
{
    // A beat lasts 60 / 128 = 0.46875 s.
    const struct { std::vector<float> cursorsSec; std::vector<int> flaggedFrames; } cases[] = {
        {{0.0f}, {}},  // the first frame has no earlier fraction to fall from
        {{0.0f, 0.2f, 0.4f, 0.46875f, 0.5f, 0.6f}, {3}},
        {{0.3f, 1.2f, 1.25f}, {1}},  // a stall across 0.46875 and 0.9375 raises the flag once
        {{0.3f, 0.3f, 0.3f, 0.5f, 0.5f, 0.5f}, {3}},  // frames faster than the cursor see the same value
    };
    for (const auto& c : cases) {
        resetBeatDefaults();
        std::vector<int> flagged;
        for (size_t frame = 0; frame < c.cursorsSec.size(); ++frame) {
            trackBeat(c.cursorsSec[frame]);
            if (beatFlag)
                flagged.push_back((int)frame);
        }
        EXPECT_EQ(flagged, c.flaggedFrames) << "starting at " << c.cursorsSec[0];
    }
    resetBeatDefaults();
}

TEST(BeatPulses, DecayEachFrameAndSnapToZeroBelowOneThousandth)
{
    resetBeatDefaults();
    cameraKick = hihatPulse = 1.0f;
    decayPulses();
    EXPECT_FLOAT_EQ(cameraKick, 0.85f);
    EXPECT_FLOAT_EQ(hihatPulse, 0.88f);
    cameraKick = hihatPulse = 0.00115f;  // 0.85 of it is under 0.001, 0.88 of it is not
    decayPulses();
    EXPECT_EQ(cameraKick, 0.0f);
    EXPECT_FLOAT_EQ(hihatPulse, 0.00115f * 0.88f);
    resetBeatDefaults();
}
