// tests/cpu/sceneScriptTests.cpp
// What the scenes' phases do to the shared state: the intro's fades, the Cornell box's measured ray ramp, the
// cathedral's hand-over to progressive GI, the shutters' camera lift and frozen sweep, the group name's neon
// clock, the gear logo's resting angle, glow and zoom.
#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "embeddedBitmap.h"
#include "gpu/constants.h"
#include "gpu/giState.h"
#include "gpu/renderSettings.h"
#include "scenes/sceneCathedral.h"
#include "scenes/sceneCornell.h"
#include "scenes/sceneGearLogo.h"
#include "scenes/sceneIntro.h"
#include "scenes/sceneLuminarcs2.h"
#include "scenes/sceneShutters.h"
#include "sequencer/camera.h"
#include "sequencer/labels.h"
#include "sequencerFixture.h"
#include "shaderSources.h"

namespace {
constexpr float turn = 6.2831855f;
using IntroScene = SceneScript<cSceneIntro>;
using CathedralScene = SceneScript<cSceneCathedral>;
using ShuttersScene = SceneScript<cSceneShutters>;
using LuminarcsScene = SceneScript<cSceneLuminarcs2>;
using GearLogoScene = SceneScript<cSceneGearLogo>;

class CornellScene : public SceneScript<cSceneCornell> {
protected:
    // Enters and plays "dark" with the ray-budget controller reporting a fixed value, up to the start of "ramp".
    void enterAndMeasure(float budget)
    {
        stepSec = 1.0 / 60.0;
        enterAt(0.0);
        ASSERT_TRUE(runUntil("dark"));
        while (phase() == "dark") {
            adaptiveRays = budget;
            frame();
            // Black while measuring, the light out and the GI taking each frame whole.
            EXPECT_TRUE(phase() != "dark" || (gpuConstants.forceBlack && gpuConstants.emissivityMul == 0.0f &&
                                                  scene.lightIntensity == 0.0f && renderSettings.giBlend == 1.0f));
        }
        ASSERT_EQ(phase(), "ramp");
    }
};
}

TEST_F(IntroScene, CaptionsFadeInFromBlackAndBackToBlackAndTheLastFadeEndsBlack)
{
    // One frame at a point inside the current phase, and the light it leaves.
    auto expectAt = [this](double sec, float emissivity, float blend, bool black) {
        updateAt(sec);
        EXPECT_NEAR(gpuConstants.emissivityMul, emissivity, 1e-5f) << phase() << " " << sec;
        EXPECT_NEAR(renderSettings.giBlend, blend, 1e-5f) << phase() << " " << sec;
        EXPECT_EQ(gpuConstants.forceBlack, black) << phase() << " " << sec;
    };
    enterAt(0.0);
    EXPECT_EQ(gpuConstants.vwAlbedo, RenderSettings().vwAlbedo);  // uploaded before the scene's own albedo
    EXPECT_TRUE(gpuConstants.forceBlack && giResetRequested);
    ASSERT_TRUE(runUntil("fade_in"));
    EXPECT_FALSE(gpuConstants.forceBlack);
    giResetRequested = false;
    expectAt(0.75, 0.25f, 0.5f, false);  // half of the 1.5 s fade: emissivity (1/2)^2
    EXPECT_FALSE(giResetRequested);
    ASSERT_TRUE(runUntil("hold"));
    EXPECT_FLOAT_EQ(gpuConstants.emissivityMul, 1.0f);
    ASSERT_TRUE(runUntil("fade_out"));
    expectAt(0.35, 0.875f, 0.75f, false);  // half of the 0.7 s fade inside the 1.2 s phase
    expectAt(0.9, 0.0f, 1.0f, true);       // in the tail: already black
    ASSERT_TRUE(runUntil("text0"));
    EXPECT_TRUE(scene.textSet == 0 && gpuConstants.forceBlack && giResetRequested);

    // The last fade has no tail: the frame that ends it sees progress above 1 and turns black before moving on.
    ASSERT_TRUE(runUntil("text2"));
    ASSERT_TRUE(runUntil("fade_out"));
    updateAt(0.69);
    EXPECT_FALSE(gpuConstants.forceBlack);
    updateAt(0.71);
    EXPECT_TRUE(phase() == "wait at end" && gpuConstants.forceBlack);
    ASSERT_TRUE(runUntil(""));
    EXPECT_TRUE(gpuConstants.forceBlack);
}

TEST_F(CornellScene, LitRampClimbsToTheBudgetResettingOnEachCountAndLabelsAllButTheLastTwoThenConvergesFromIt)
{
    const struct { float budget; bool firstVisit; int maxRays; std::vector<std::string> labels; } cases[] = {
        {10.6f, true, 11, {"rays per voxel: 1", "2", "3", "4", "5", "6", "7", "8"}},
        {1.0f, true, 1, {}},
        {3.4f, true, 3, {}},
        {4.0f, true, 4, {"rays per voxel: 1"}},
        {6.0f, false, 6, {"1", "2", "3"}},  // later visits of the run show bare counts
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.budget);
        cSceneCornell::firstRayLabel = c.firstVisit;
        enterAndMeasure(c.budget);
        EXPECT_TRUE(!gpuConstants.forceBlack && scene.lightIntensity == 1.0f && scene.maxRays == c.maxRays);
        EXPECT_FALSE(renderSettings.adaptiveRaysEnabled);  // the controller must not overwrite the ramp's counts
        std::vector<int> rays;
        std::vector<std::string> labels;
        int resets = 0;
        while (phase() == "ramp") {
            giResetRequested = false;
            frame();
            rays.push_back(renderSettings.raysPerFrame);
            resets += giResetRequested ? 1 : 0;
            // The newest entry, if this frame added it.
            if (!labelLog.empty() && labelLog.back().shown == (float)demoClock() &&
                labelLog.back().text != "maximum reached")
                labels.push_back(labelLog.back().text);
        }
        // From one ray up to the maximum, where the frame that ends the ramp sits, a fresh accumulation each.
        EXPECT_TRUE(rays.front() == 1 && rays.back() == c.maxRays && std::is_sorted(rays.begin(), rays.end()));
        EXPECT_EQ(resets, c.maxRays);
        EXPECT_EQ(labels, c.labels);
        EXPECT_EQ(cSceneCornell::firstRayLabel, c.firstVisit && c.labels.empty());
    }
    ASSERT_TRUE(runUntil("maxed"));
    EXPECT_TRUE(renderSettings.adaptiveRaysEnabled && adaptiveRays == 6.0f);  // resumes from the measured budget
    ASSERT_TRUE(runUntil("converge"));
    EXPECT_TRUE(giAccumMode == giProgressive && renderSettings.giBlend == RenderSettings().giBlend &&
                renderSettings.raysPerFrame == RenderSettings().raysPerFrame);
    ASSERT_TRUE(runUntil("orbit"));
    EXPECT_TRUE(labelLog.empty());
    EXPECT_TRUE(runUntil(""));

    // A dark phase that ended before its first update measured nothing: a single ray.
    enterAt(0.0);
    ASSERT_TRUE(runUntil("dark"));
    advancePhase(scene.timeline);
    EXPECT_TRUE(scene.maxRays == 1 && renderSettings.raysPerFrame == 1);
}

TEST_F(CathedralScene, TurnsProgressiveOnItsSecondUpdateOnEveryVisitKeepingTheAverageHistory)
{
    giAccumMode = giFrozen;
    for (int visit = 0; visit < 2; ++visit) {
        enterAt(2.0);
        giAccumCount = 3;  // what the running average left behind
        for (int update = 0; update <= 3; ++update, frame())
            EXPECT_EQ(giAccumMode, update < 2 ? giRunningAverage : giProgressive) << visit << " " << update;
        EXPECT_EQ(giAccumCount, 3);
    }
}

TEST_F(ShuttersScene, ConvergeLiftTheCameraAndSweepWithFrozenLight)
{
    enterAt(0.0);
    ASSERT_TRUE(runUntil("converge"));
    EXPECT_EQ(giAccumMode, giProgressive);
    // The camera lifts 0.35 over the first half of the orbit, eased: half way (q = 0.5) a quarter in.
    ASSERT_TRUE(runUntil("orbit"));
    for (auto [t, lift] : {std::pair{1.25f, 0.175f}, std::pair{3.0f, 0.35f}}) {
        updateAt(t);
        EXPECT_NEAR(cameraPitch, orbitSwayAt(scene.orbit, t, 0.15f, 0.7f).pitch + lift, 1e-4f) << t;
    }
    ASSERT_TRUE(runUntil("swipe"));
    EXPECT_EQ(giAccumMode, giFrozen);
}

TEST_F(LuminarcsScene, LettersRestartWithNeonsThenTheLightConvergesOnBeatsAndFreezesForTheSpin)
{
    enterAt(50.0);
    cameraTransitionActive = true;
    frameAt(50.5);
    EXPECT_FLOAT_EQ(scene.neonTime(), 0.5f);  // until "neons" the letters run on scene time
    cameraTransitionActive = false;
    frameAt(51.25);
    frameAt(53.25);
    EXPECT_FLOAT_EQ(scene.neonTime(), 2.0f);

    // A beat before "converge" leaves the hi-hat alone; the light converges, then freezes for the spin.
    ASSERT_TRUE(runUntil("rien"));
    music.frame(true);
    frame();
    EXPECT_TRUE(hihatPulse == 0.0f && giAccumMode == giRunningAverage);
    ASSERT_TRUE(runUntil("converge"));
    frame();
    EXPECT_TRUE(giAccumMode == giProgressive && hihatPulse == 1.0f);
    ASSERT_TRUE(runUntil("swipe"));
    EXPECT_EQ(giAccumMode, giFrozen);
    ASSERT_TRUE(runUntil(""));
    EXPECT_NEAR(demoClock() - 51.25, 18.0, 0.01);
}

TEST(EmblemImage, EmbeddedImageIsTheShapeSourceInTheBitLayout)
{
    EmblemImage source;
    ASSERT_TRUE(loadEmblemSource(source));
    EXPECT_TRUE(embeddedBitmap(gear_logo_glsl, 2048) == source.ink)
        << "shaders/gear_logo.glsl is stale: build the target regenerate_gear_logo";
}

TEST_F(GearLogoScene, EmblemRestsOnTheFirstWholeTurnAFrameComesWithinReachOfAfterTwentySevenSeconds)
{
    stepSec = 1.0 / 60.0;
    enterAt(100.0);
    ASSERT_TRUE(runUntil("zoom_out"));
    EXPECT_EQ(scene.logoAngle, 3.0f * turn);
    EXPECT_NEAR(demoClock() - 100.0, 30.0, 0.02);

    // The second turn comes too early; frames that step over the 0.01 rad window cost one more turn.
    enterAt(200.0);
    for (double t : {20.0, 29.98, 30.02, 39.98}) {
        frameAt(200.0 + t);
        EXPECT_NEAR(scene.logoAngle, 0.1f * turn * (float)t, 1e-4f) << t;
    }
    EXPECT_FALSE(scene.stopped);
    frameAt(239.995);
    frameAt(241.0);
    EXPECT_TRUE(scene.logoAngle == 4.0f * turn && phase() == "zoom_out");
}

TEST_F(GearLogoScene, GlowDimsAndWallsBrightenAfterTenSecondsAndTheGlowCarriesIntoTheNextVisit)
{
    enterAt(100.0);
    frameAt(105.0);
    EXPECT_TRUE(scene.logoZ == 0.0f && scene.logoEmissivity == 8.0f);
    frameAt(111.5);  // halfway through the three-second ease
    EXPECT_NEAR(scene.logoEmissivity, 5.0f, 1e-5f);
    EXPECT_TRUE(std::fabs(gpuConstants.vwFaces[faceNegX].g - 0.45f) < 1e-6f && gpuConstants.vwFaces[facePosZ].g == 0);
    ASSERT_TRUE(runUntil(""));
    // The last zoom frame runs just past the phase's end: far away, halo gone but not negative.
    EXPECT_TRUE(scene.logoEmissivity == 2.0f && renderSettings.haloIntensity == 0.0f);
    EXPECT_NEAR(cameraDistance, 1000.0f, 1.0f);

    enterAt(500.0);
    frameAt(505.0);
    EXPECT_TRUE(scene.logoEmissivity == 2.0f && gpuConstants.vwFaces[faceNegX].g == 0.35f);
    frameAt(510.75);  // a quarter into the ease: s = 0.15625
    EXPECT_NEAR(scene.logoEmissivity, 8.0f - 6.0f * 0.15625f, 1e-5f);
}
