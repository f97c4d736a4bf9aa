// tests/cpu/introSceneTests.cpp
// The intro's caption script: phase order and timing, the fades it drives, the black frames between captions.
#include <cmath>
#include <iterator>
#include <string>
#include <vector>

#include "app/camera.h"
#include "gpu/constants.h"
#include "gpu/giState.h"
#include "scenes/sceneIntro.h"
#include "sceneScriptRun.h"
#include "sequencer/renderSettings.h"
#include "sequencerFixture.h"

namespace {
class IntroScene : public SequencerFixture {
protected:
    cSceneIntro intro;
    ScriptRun run{clock, intro};

    void enterAt(double now)
    {
        clock.now = now;
        intro.enter();
        run.begin();
    }
};
}

TEST_F(IntroScene, PlaysFourCaptionsAndAWaitInTwentyFivePointNineSeconds)
{
    enterAt(5.0);
    EXPECT_EQ(intro.textSet, -1);  // the first phase's start ran during entry
    while (!intro.finished && clock.now < 40.0)
        run.frame();
    ASSERT_TRUE(intro.finished);

    const struct {
        const char* name;
        double start;
    } expected[] = {
        {"text-1", 0.0},  {"fade_in", 3.0},  {"hold", 4.5},  {"fade_out", 6.0},  {"text0", 7.2},
        {"fade_in", 7.7}, {"hold", 8.4},     {"fade_out", 11.4}, {"text1", 12.6}, {"fade_in", 13.1},
        {"hold", 13.8},   {"fade_out", 16.8}, {"text2", 18.0}, {"fade_in", 18.5}, {"hold", 19.2},
        {"fade_out", 22.2}, {"wait at end", 22.9},
    };
    ASSERT_EQ(run.starts.size(), std::size(expected));
    // Each phase may end up to one frame late, and the lateness adds up along the script.
    for (size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(run.starts[i].name, expected[i].name) << i;
        EXPECT_GE(run.starts[i].at - 5.0, expected[i].start - 1e-6) << i;
        EXPECT_LE(run.starts[i].at - 5.0, expected[i].start + (double)(i + 1) * run.stepSec) << i;
    }
    EXPECT_GE(clock.now - 5.0, 25.9);
    EXPECT_LE(clock.now - 5.0, 25.9 + 18 * run.stepSec);
    EXPECT_EQ(intro.textSet, 2);

    std::vector<std::string> labels = {"spawn from void", "completed", "3d texture", "128³", "voxel",
                                       "raytracing", "enabled", "global", "illumination", "activated"};
    EXPECT_EQ(run.labelsShown, labels);
}

TEST_F(IntroScene, EntryUploadsTheConstantsBeforeItsOwnOverrides)
{
    enterAt(0.0);
    EXPECT_FLOAT_EQ(gpuConstants.vwAlbedo, 0.85f);  // the block went up with the default
    EXPECT_FLOAT_EQ(renderSettings.vwAlbedo, 0.84f);  // the next scene's wall reset uses this one
    EXPECT_FLOAT_EQ(gpuConstants.emissivityMul, 0.0f);
    EXPECT_EQ(intro.cameraTarget[0], -999.0f);  // no transition: the camera stands where entry put it
    EXPECT_FLOAT_EQ(cameraYaw, 3.1415927f);
}

TEST_F(IntroScene, CaptionsFadeInFromBlackAndBackToBlack)
{
    enterAt(0.0);
    EXPECT_TRUE(gpuConstants.forceBlack);
    EXPECT_TRUE(giResetRequested);

    ASSERT_TRUE(run.runUntilPhase("fade_in"));
    double fadeInStart = run.starts.back().at;
    EXPECT_FALSE(gpuConstants.forceBlack);
    EXPECT_FLOAT_EQ(renderSettings.giBlend, 0.5f);
    giResetRequested = false;
    clock.now = fadeInStart + 0.75;  // half of the 1.5 s fade: emissivity (1/2)^2
    intro.update();
    EXPECT_NEAR(gpuConstants.emissivityMul, 0.25f, 1e-5f);
    EXPECT_FALSE(giResetRequested);

    ASSERT_TRUE(run.runUntilPhase("hold"));
    EXPECT_FLOAT_EQ(gpuConstants.emissivityMul, 1.0f);

    ASSERT_TRUE(run.runUntilPhase("fade_out"));
    double fadeOutStart = run.starts.back().at;
    clock.now = fadeOutStart + 0.35;  // half of the 0.7 s fade inside the 1.2 s phase
    intro.update();
    EXPECT_NEAR(renderSettings.giBlend, 0.75f, 1e-5f);
    EXPECT_NEAR(gpuConstants.emissivityMul, 1.0f - 0.125f, 1e-5f);
    EXPECT_FALSE(gpuConstants.forceBlack);
    clock.now = fadeOutStart + 0.9;  // in the tail: already black
    intro.update();
    EXPECT_FLOAT_EQ(gpuConstants.emissivityMul, 0.0f);
    EXPECT_FLOAT_EQ(renderSettings.giBlend, 1.0f);
    EXPECT_TRUE(gpuConstants.forceBlack);

    ASSERT_TRUE(run.runUntilPhase("text0"));
    EXPECT_EQ(intro.textSet, 0);
    EXPECT_TRUE(gpuConstants.forceBlack);
    EXPECT_TRUE(giResetRequested);
}

TEST_F(IntroScene, TheLastFadeOutWithoutTailEndsBlackAndTheSceneFinishesBlack)
{
    enterAt(0.0);
    ASSERT_TRUE(run.runUntilPhase("text2"));
    ASSERT_TRUE(run.runUntilPhase("fade_out"));
    double start = run.starts.back().at;
    clock.now = start + 0.69;
    intro.update();
    EXPECT_FALSE(gpuConstants.forceBlack);
    // The frame that ends the phase sees progress above 1, so it turns the screen black before moving on.
    clock.now = start + 0.71;
    intro.update();
    EXPECT_EQ(run.currentName(), "wait at end");
    EXPECT_TRUE(gpuConstants.forceBlack);
    run.runFor(3.1);
    EXPECT_TRUE(intro.finished);
    EXPECT_TRUE(gpuConstants.forceBlack);
}
