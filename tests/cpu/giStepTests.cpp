// tests/cpu/giStepTests.cpp
#include <gtest/gtest.h>

#include "gpu/giState.h"

TEST(GiStep, ProgressiveAveragesSinceTheResetAndContinuesARunningAverage)
{
    resetGiStateDefaults();
    giAccumMode = giProgressive;
    for (float blend : {1.0f, 1.0f / 2, 1.0f / 3}) {
        GiStep step = nextGiStep(0.3f);
        EXPECT_TRUE(step.run);
        EXPECT_FLOAT_EQ(step.blend, blend);
    }
    // A running average with blend 0.3 stands for about three frames of history.
    resetGiStateDefaults();
    EXPECT_FLOAT_EQ(nextGiStep(0.3f).blend, 0.3f);
    giAccumMode = giProgressive;
    EXPECT_FLOAT_EQ(nextGiStep(0.3f).blend, 1.0f / 4);
    EXPECT_FLOAT_EQ(nextGiStep(0.3f).blend, 1.0f / 5);
    giAccumMode = giFrozen;
    EXPECT_FALSE(nextGiStep(0.3f).run);
    EXPECT_EQ(giAccumCount, 5);
    resetGiStateDefaults();
}
