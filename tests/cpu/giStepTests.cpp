// tests/cpu/giStepTests.cpp
#include <gtest/gtest.h>

#include "gpu/giState.h"

TEST(GiStep, ProgressiveBlendsAverageEveryFrameSinceTheReset)
{
    resetGiStateDefaults();
    giAccumMode = giProgressive;
    giAccumCount = 0;
    for (int frame = 1; frame <= 3; ++frame) {
        GiStep step = nextGiStep(0.3f);
        EXPECT_TRUE(step.run);
        EXPECT_FLOAT_EQ(step.blend, 1.0f / frame);
    }
    resetGiStateDefaults();
}

TEST(GiStep, ProgressiveAfterRunningAverageContinuesItsHistory)
{
    resetGiStateDefaults();
    GiStep running = nextGiStep(0.3f);
    EXPECT_TRUE(running.run);
    EXPECT_FLOAT_EQ(running.blend, 0.3f);
    EXPECT_EQ(giAccumCount, 3);
    giAccumMode = giProgressive;
    EXPECT_FLOAT_EQ(nextGiStep(0.3f).blend, 1.0f / 4.0f);
    EXPECT_FLOAT_EQ(nextGiStep(0.3f).blend, 1.0f / 5.0f);
    giAccumMode = giFrozen;
    EXPECT_FALSE(nextGiStep(0.3f).run);
    EXPECT_EQ(giAccumCount, 5);
    resetGiStateDefaults();
}
