// tests/cpu/metaballsSceneTests.cpp
// The metaballs script: the turn that speeds up, the beat's kicks and seeded layout jumps, the tumble's ease-in.
#include <cmath>
#include <random>
#include <vector>

#include "gpu/renderSettings.h"
#include "gpu/viewLayouts.h"
#include "musicCursor.h"
#include "scenes/sceneFog.h"
#include "scenes/sceneMetaballs2.h"
#include "sequencer/camera.h"
#include "sequencer/sceneSequence.h"
#include "sequencerFixture.h"

namespace {
class MetaballsScene : public SequencerFixture {
protected:
    cSceneMetaballs2 metaballs;
    ScriptRun run{metaballs};
    MusicCursor music;

    double exploreStart = 0.0;

    void exploreFrame(double sec, bool beat)
    {
        music.frame(beat);
        cameraKick = 0.0f;
        run.frameAt(exploreStart + sec);
    }
};
}

TEST_F(MetaballsScene, IdleSpeedsUpThenBeatsKickAndJumpLayoutsAtMostOncePerSecondAfterTheFirstQuarter)
{
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
        EXPECT_NEAR(cameraYaw, orbitTurnAt(metaballs.orbit, 6.5f, 0.5f, 0.07f, 0.15f, 2.0f).yaw, 1e-4f);
        ASSERT_TRUE(run.runUntil("explore"));
        exploreStart = metaballs.timeline.phaseStart;

        exploreFrame(3.4, true);  // p 0.243
        EXPECT_TRUE(cameraKick == 1.0f && viewLayout == 0 && renderSettings.haloEnabled);
        exploreFrame(3.6, true);  // p 0.257
        EXPECT_EQ(cameraDistance, 0.86603f / std::sin(0.5235988f) * 1.1f);
        EXPECT_TRUE(!renderSettings.haloEnabled && renderSettings.bgColor[1] == 0.0f);
        for (int k = 1; 3.6 + 0.55 * k < 12.6; ++k) {
            int before = viewLayout;
            exploreFrame(3.6 + 0.55 * k, true);
            layouts.push_back(viewLayout);
            EXPECT_TRUE(cameraKick == 1.0f && viewLayout >= 1 && viewLayout <= 5) << viewLayout;
            EXPECT_EQ(viewLayout != before, k % 2 == 0) << k;  // every other beat is too soon after a change
        }
        exploreFrame(12.7, true);  // p 0.907: a single view again, even on a beat
        EXPECT_TRUE(viewLayout == 0 && cameraDistance == 2.7f && renderSettings.haloEnabled);
        EXPECT_FLOAT_EQ(renderSettings.bgColor[1], 0.14901961f);
    }
    EXPECT_EQ(layoutsSeen[0], layoutsSeen[1]);
}

TEST_F(MetaballsScene, TheTumbleEasesInWithoutUnwindingWholeTurnsAndThenForgetsTheSnapshot)
{
    auto yawAt = [this](float snapshotYaw, double sec) {
        metaballs.orbit = {snapshotYaw, 0.3f, 2.7f, 0.0};
        setDemoClock(sec);
        metaballs.explore(0.5f);
        return cameraYaw;
    };
    EXPECT_NEAR(yawAt(2.0f, 1.0), yawAt(2.0f + 2.0f * 6.2831855f, 1.0), 1e-4f);  // the same view half way in
    EXPECT_NEAR(yawAt(2.0f, 3.0), yawAt(-2.5f, 3.0), 1e-5f);
}
