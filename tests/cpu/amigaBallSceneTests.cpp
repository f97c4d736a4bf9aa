// tests/cpu/amigaBallSceneTests.cpp
// The flash schedule and its patches, and the ball's spin and bounce over the whole scene.
#include <cmath>
#include <utility>

#include "gpu/renderSettings.h"
#include "scenes/sceneAmigaBall.h"
#include "sequencerFixture.h"

using AmigaBall = SceneScript<cSceneAmigaBall>;

TEST_F(AmigaBall, FlashTimesShrinkByTheRatioAndTheTwoPatchListsSplitTheRedPatchesBySide)
{
    double t = 1.0, gap = 0.75;
    for (int k = 0; k < amigaFlashCount; ++k, t += gap, gap *= 0.93)
        EXPECT_NEAR(amigaFlashTimes[k], t, 5e-5) << k;
    EXPECT_NEAR(amigaFlashEnd(), t + 1.5, 2e-6);
    BallPatchLists lists = amigaRedPatches();
    for (auto [list, side] : {std::pair{&lists.a, 0}, {&lists.b, 1}}) {
        EXPECT_EQ(list->size(), 24u);
        for (const BallPatch& p : *list)
            EXPECT_TRUE(p.sector / 6 == side && (p.band + p.sector) % 2 == 0) << p.band << " " << p.sector;
    }
}

TEST_F(AmigaBall, OnePatchFlashesAtATimeThenTheBallSpinsSmoothlyAndBouncesInsideTheRoom)
{
    const float bounceStart = amigaFlashEnd() + 8.0f, wall = renderSettings.wallThickness;
    run.enterAt(0.0);
    float lastRotation = 0.0f, lowest = 1.0f, highest = 0.0f;
    int lastBand = -1, lastSector = -1;
    for (int ms = 1; !scene.finished; ++ms) {
        float t = (float)(ms / 1000.0);
        trackBeat(t);
        cameraKick = 0.0f;
        run.frameAt(ms / 1000.0);
        EXPECT_EQ(cameraKick, beatFlag && scene.timeline.index == 2 ? 1.0f : 0.0f) << t;

        int band = scene.flashLatBand, sector = scene.flashLonSector;
        EXPECT_TRUE((t >= 1.0f && t <= 10.6957f) || (band == -1 && sector == -1 && scene.flashEmit == 0.0f)) << t;
        if (t >= 1.0f && t < 10.6955f) {
            EXPECT_TRUE(band >= 0 && band < 8 && sector >= 0 && sector < 12 && (band + sector) % 2 == 0) << t;
            // Always glowing, except that a new flash takes over dark while the one before it is still bright.
            bool changed = band != lastBand || sector != lastSector;
            EXPECT_TRUE(changed ? scene.flashEmit < 0.5f : scene.flashEmit > 0.0f) << t;
        }
        lastBand = band;
        lastSector = sector;

        EXPECT_LT(std::fabs(scene.ballRotation - lastRotation), 0.005f) << t;
        lastRotation = scene.ballRotation;
        EXPECT_FLOAT_EQ(renderSettings.giBlend, t < bounceStart ? 0.3f : 0.9f) << t;
        EXPECT_TRUE(t > bounceStart || (scene.ballX == 0.5f && scene.ballY == 0.5f)) << t;
        // Full amplitude half a second in: the first touchdown, at 0.87 s, already reaches the floor.
        if (t > bounceStart + 0.5f && t < bounceStart + 1.0f)
            lowest = std::min(lowest, scene.ballY);
        highest = std::max(highest, scene.ballY);
    }
    // The ball touches down just above the floor and never reaches the ceiling.
    EXPECT_NEAR(lowest, wall + 0.22f + 0.02f, 1e-3f);  // sampled every millisecond
    EXPECT_NEAR(highest, 1.0f - wall - 0.22f - 0.05f, 1e-3f);

    // At exactly eight seconds after the flashes the bounce begins from the room centre.
    run.enterAt(0.0);
    run.frameAt(bounceStart);
    EXPECT_TRUE(renderSettings.giBlend == 0.9f && scene.ballX == 0.5f && scene.ballY == 0.5f && scene.ballZ == 0.5f);
}
