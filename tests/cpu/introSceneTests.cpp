// tests/cpu/introSceneTests.cpp
// The intro's fades: from black to lit and back, the black frames between captions, a black end.
#include "gpu/constants.h"
#include "gpu/giState.h"
#include "gpu/renderSettings.h"
#include "scenes/sceneIntro.h"
#include "sequencerFixture.h"

namespace {
class IntroScene : public SequencerFixture {
protected:
    cSceneIntro intro;
    ScriptRun run{intro};

    // One frame at a point inside the current phase.
    void updateAt(double secIntoPhase) { run.frameAt(intro.timeline.phaseStart + secIntoPhase); }
};
}

TEST_F(IntroScene, CaptionsFadeInFromBlackAndBackToBlackAndTheLastFadeEndsBlack)
{
    run.enterAt(0.0);
    EXPECT_EQ(gpuConstants.vwAlbedo, RenderSettings().vwAlbedo);  // uploaded before the scene's own albedo
    EXPECT_TRUE(gpuConstants.forceBlack);
    EXPECT_TRUE(giResetRequested);
    ASSERT_TRUE(run.runUntil("fade_in"));
    EXPECT_FALSE(gpuConstants.forceBlack);
    giResetRequested = false;
    updateAt(0.75);  // half of the 1.5 s fade: emissivity (1/2)^2
    EXPECT_NEAR(gpuConstants.emissivityMul, 0.25f, 1e-5f);
    EXPECT_FLOAT_EQ(renderSettings.giBlend, 0.5f);
    EXPECT_FALSE(giResetRequested);
    ASSERT_TRUE(run.runUntil("hold"));
    EXPECT_FLOAT_EQ(gpuConstants.emissivityMul, 1.0f);

    ASSERT_TRUE(run.runUntil("fade_out"));
    updateAt(0.35);  // half of the 0.7 s fade inside the 1.2 s phase
    EXPECT_NEAR(renderSettings.giBlend, 0.75f, 1e-5f);
    EXPECT_NEAR(gpuConstants.emissivityMul, 1.0f - 0.125f, 1e-5f);
    EXPECT_FALSE(gpuConstants.forceBlack);
    updateAt(0.9);  // in the tail: already black
    EXPECT_FLOAT_EQ(gpuConstants.emissivityMul, 0.0f);
    EXPECT_FLOAT_EQ(renderSettings.giBlend, 1.0f);
    EXPECT_TRUE(gpuConstants.forceBlack);
    ASSERT_TRUE(run.runUntil("text0"));
    EXPECT_EQ(intro.textSet, 0);
    EXPECT_TRUE(gpuConstants.forceBlack);
    EXPECT_TRUE(giResetRequested);

    // The last fade has no tail: the frame that ends it sees progress above 1 and turns black before moving on.
    ASSERT_TRUE(run.runUntil("text2"));
    ASSERT_TRUE(run.runUntil("fade_out"));
    updateAt(0.69);
    EXPECT_FALSE(gpuConstants.forceBlack);
    updateAt(0.71);
    EXPECT_EQ(run.phase(), "wait at end");
    EXPECT_TRUE(gpuConstants.forceBlack);
    ASSERT_TRUE(run.runUntil(""));
    EXPECT_TRUE(gpuConstants.forceBlack);
}
