// tests/cpu/gearLogoSceneTests.cpp
// The closing scene: its emblem image, where the emblem comes to rest, the glow and walls after ten seconds, the zoom.
#include <vector>

#include "embeddedBitmap.h"
#include "gpu/constants.h"
#include "gpu/renderSettings.h"
#include "scenes/sceneGearLogo.h"
#include "sequencer/camera.h"
#include "sequencerFixture.h"
#include "shaderSources.h"

namespace {
constexpr float turn = 6.2831855f;
using GearLogoScene = SceneScript<cSceneGearLogo>;
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
    run.stepSec = 1.0 / 60.0;
    run.enterAt(100.0);
    ASSERT_TRUE(run.runUntil("zoom_out"));
    EXPECT_EQ(scene.logoAngle, 3.0f * turn);
    EXPECT_NEAR(demoClock() - 100.0, 30.0, 0.02);

    // The second turn comes too early; frames that step over the 0.01 rad window cost one more turn.
    run.enterAt(200.0);
    for (double t : {20.0, 29.98, 30.02, 39.98}) {
        run.frameAt(200.0 + t);
        EXPECT_NEAR(scene.logoAngle, 0.1f * turn * (float)t, 1e-4f) << t;
    }
    EXPECT_FALSE(scene.stopped);
    run.frameAt(239.995);
    run.frameAt(241.0);
    EXPECT_TRUE(scene.logoAngle == 4.0f * turn && run.phase() == "zoom_out");
}

TEST_F(GearLogoScene, GlowDimsAndWallsBrightenAfterTenSecondsAndTheGlowCarriesIntoTheNextVisit)
{
    run.enterAt(100.0);
    run.frameAt(105.0);
    EXPECT_TRUE(scene.logoZ == 0.0f && scene.logoEmissivity == 8.0f);
    run.frameAt(111.5);  // halfway through the three-second ease
    EXPECT_NEAR(scene.logoEmissivity, 5.0f, 1e-5f);
    EXPECT_NEAR(gpuConstants.vwFaces[faceNegX].g, 0.45f, 1e-6f);
    EXPECT_EQ(gpuConstants.vwFaces[facePosZ].g, 0.0f);
    ASSERT_TRUE(run.runUntil(""));
    // The last zoom frame runs just past the phase's end: far away, halo gone but not negative.
    EXPECT_TRUE(scene.logoEmissivity == 2.0f && renderSettings.haloIntensity == 0.0f);
    EXPECT_NEAR(cameraDistance, 1000.0f, 1.0f);

    run.enterAt(500.0);
    run.frameAt(505.0);
    EXPECT_TRUE(scene.logoEmissivity == 2.0f && gpuConstants.vwFaces[faceNegX].g == 0.35f);
    run.frameAt(510.75);  // a quarter into the ease: s = 0.15625
    EXPECT_NEAR(scene.logoEmissivity, 8.0f - 6.0f * 0.15625f, 1e-5f);
}
