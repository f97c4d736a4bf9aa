// tests/cpu/metaballsSceneTests.cpp
// The metaballs script: the turn that speeds up, the beat's kicks and seeded layout jumps, the tumble's ease-in.
#include <cmath>
#include <random>
#include <vector>

#include "gpu/renderSettings.h"
#include "gpu/viewLayouts.h"
#include "scenes/sceneMetaballs2.h"
#include "sequencer/camera.h"
#include "sequencerFixture.h"

using MetaballsScene = SceneScript<cSceneMetaballs2>;

TEST_F(MetaballsScene, IdleSpeedsUpBeatsKickAndJumpLayoutsAtMostOncePerSecondAfterTheFirstQuarterAndTheTumbleEasesIn)
{
    auto beatAt = [this](double secIntoExplore) {
        music.frame(true);
        cameraKick = 0.0f;
        updateAt(secIntoExplore);
    };
    std::minstd_rand savedRandom = cSceneMetaballs2::layoutRandom;
    std::vector<int> layoutsSeen[2];
    for (std::vector<int>& layouts : layoutsSeen) {  // the same beats from the same seed give the same layouts
        cSceneMetaballs2::layoutRandom = savedRandom;
        cSceneMetaballs2::lastLayoutChange = 0.0;
        viewLayout = 3;
        run.enterAt(0.0);
        EXPECT_EQ(viewLayout, 0);
        ASSERT_TRUE(run.runUntil("idle"));
        run.frameAt(demoClock() + 6.5);  // half way the turn runs at half a radian per second
        EXPECT_NEAR(cameraYaw, orbitTurnAt(scene.orbit, 6.5f, 0.5f, 0.07f, 0.15f, 2.0f).yaw, 1e-4f);
        ASSERT_TRUE(run.runUntil("explore"));

        beatAt(3.4);  // p 0.243
        EXPECT_TRUE(cameraKick == 1.0f && viewLayout == 0 && renderSettings.haloEnabled);
        beatAt(3.6);  // p 0.257
        EXPECT_EQ(cameraDistance, 0.86603f / std::sin(0.5235988f) * 1.1f);
        EXPECT_TRUE(!renderSettings.haloEnabled && renderSettings.bgColor[1] == 0.0f);
        for (int k = 1; 3.6 + 0.55 * k < 12.6; ++k) {
            int before = viewLayout;
            beatAt(3.6 + 0.55 * k);
            layouts.push_back(viewLayout);
            EXPECT_TRUE(cameraKick == 1.0f && viewLayout >= 1 && viewLayout <= 5) << viewLayout;
            EXPECT_EQ(viewLayout != before, k % 2 == 0) << k;  // every other beat is too soon after a change
        }
        beatAt(12.7);  // p 0.907: a single view again, even on a beat
        EXPECT_TRUE(viewLayout == 0 && cameraDistance == 2.7f && renderSettings.haloEnabled);
        EXPECT_FLOAT_EQ(renderSettings.bgColor[1], 0.14901961f);
    }
    EXPECT_EQ(layoutsSeen[0], layoutsSeen[1]);

    // The tumble eases in without unwinding whole turns of its snapshot, and later forgets the snapshot.
    auto tumbleYaw = [this](float snapshotYaw, double sec) {
        scene.orbit = {snapshotYaw, 0.3f, 2.7f, 0.0};
        setDemoClock(sec);
        scene.explore(0.5f);
        return cameraYaw;
    };
    EXPECT_NEAR(tumbleYaw(2.0f, 1.0), tumbleYaw(2.0f + 2.0f * 6.2831855f, 1.0), 1e-4f);  // the same view half way
    EXPECT_NEAR(tumbleYaw(2.0f, 3.0), tumbleYaw(-2.5f, 3.0), 1e-5f);
}
