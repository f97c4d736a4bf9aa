// tests/cpu/introSceneTests.cpp
// The intro's caption script: phase order and timing, the fades it drives, the black frames between captions.
#include <string>
#include <vector>

#include "gpu/constants.h"
#include "gpu/giState.h"
#include "gpu/renderSettings.h"
#include "sceneScriptRun.h"
#include "scenes/sceneIntro.h"
#include "sequencerFixture.h"

namespace {
class IntroScene : public SequencerFixture {
protected:
    cSceneIntro intro;
    ScriptRun run{intro};

    // One frame at a point inside the current phase.
    void updateAt(double secIntoPhase) { run.frameAt(run.starts.back().second + secIntoPhase); }
};
}

TEST_F(IntroScene, PlaysFourCaptionsAndAWaitInTwentyFivePointNineSeconds)
{
    run.enterAt(5.0);
    EXPECT_EQ(intro.textSet, -1);                     // the first phase's start ran during entry
    EXPECT_FLOAT_EQ(gpuConstants.vwAlbedo, 0.85f);    // the block went up before the scene's own albedo
    EXPECT_FLOAT_EQ(renderSettings.vwAlbedo, 0.84f);  // which the next scene's wall reset uses
    EXPECT_EQ(intro.cameraTarget[0], -999.0f);        // no camera transition
    ASSERT_TRUE(run.runUntil(""));
    run.expectPhases({{"text-1", 3.0}, {"fade_in", 1.5}, {"hold", 1.5}, {"fade_out", 1.2},
                      {"text0", 0.5},  {"fade_in", 0.7}, {"hold", 3.0}, {"fade_out", 1.2},
                      {"text1", 0.5},  {"fade_in", 0.7}, {"hold", 3.0}, {"fade_out", 1.2},
                      {"text2", 0.5},  {"fade_in", 0.7}, {"hold", 3.0}, {"fade_out", 0.7}, {"wait at end", 3.0}});
    EXPECT_NEAR(demoClock() - 5.0, 25.9, 0.02);
    EXPECT_EQ(intro.textSet, 2);
    EXPECT_EQ(run.labelsShown, std::vector<std::string>({"spawn from void", "completed", "3d texture", "128³", "voxel",
                                                         "raytracing", "enabled", "global", "illumination",
                                                         "activated"}));
}

TEST_F(IntroScene, CaptionsFadeInFromBlackAndBackToBlackAndTheLastFadeEndsBlack)
{
    run.enterAt(0.0);
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
