// tests/cpu/cathedralShuttersSceneTests.cpp
// The cathedral's hand-over to progressive GI, and what the shutters' phases do to the GI and the camera.
#include <utility>

#include "gpu/giState.h"
#include "scenes/sceneCathedral.h"
#include "scenes/sceneShutters.h"
#include "sequencer/camera.h"
#include "sequencerFixture.h"

namespace {
class SceneScripts : public SequencerFixture {};
}

TEST_F(SceneScripts, CathedralTurnsProgressiveOnItsSecondUpdateOnEveryVisit)
{
    cSceneCathedral cathedral;
    ScriptRun run{cathedral};
    giAccumMode = giFrozen;
    for (int visit = 0; visit < 2; ++visit) {  // a second visit counts afresh
        run.enterAt(2.0);
        giAccumCount = 3;  // what the running average left behind
        for (int update = 0; update <= 3; ++update, run.frame())
            EXPECT_EQ(giAccumMode, update < 2 ? giRunningAverage : giProgressive) << visit << " " << update;
        EXPECT_EQ(giAccumCount, 3);  // the progressive blend carries on from that history
    }
}

TEST_F(SceneScripts, ShuttersConvergeLiftTheCameraAndSweepWithFrozenLight)
{
    cSceneShutters shutters;
    ScriptRun run{shutters};
    run.enterAt(0.0);
    ASSERT_TRUE(run.runUntil("converge"));
    EXPECT_EQ(giAccumMode, giProgressive);
    // The camera lifts 0.35 over the first half of the orbit, eased: half way (q = 0.5) a quarter in.
    ASSERT_TRUE(run.runUntil("orbit"));
    double orbitStart = demoClock();
    for (auto [t, lift] : {std::pair{1.25f, 0.175f}, std::pair{3.0f, 0.35f}}) {
        run.frameAt(orbitStart + t);
        EXPECT_NEAR(cameraPitch, orbitSwayAt(shutters.orbit, t, 0.15f, 0.7f).pitch + lift, 1e-4f) << t;
    }
    ASSERT_TRUE(run.runUntil("swipe"));
    EXPECT_EQ(giAccumMode, giFrozen);
}
