// tests/cpu/cathedralShuttersSceneTests.cpp
// The cathedral's hand-over to progressive GI, the shutters' script, and where the scenes sit in the table.
#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "gpu/giState.h"
#include "gpu/renderSettings.h"
#include "sceneScriptRun.h"
#include "scenes/sceneCathedral.h"
#include "scenes/sceneCornell.h"
#include "scenes/sceneIntro.h"
#include "scenes/sceneShutters.h"
#include "sequencer/camera.h"
#include "sequencerFixture.h"

namespace {
class SceneScripts : public SequencerFixture {};
}

TEST_F(SceneScripts, CathedralTurnsProgressiveOnItsSecondUpdateThenSwaysEightSecondsAfterTheCamera)
{
    cSceneCathedral cathedral;
    ScriptRun run{cathedral};
    giAccumMode = giFrozen;
    cameraTransitionActive = true;
    for (int visit = 0; visit < 2; ++visit) {  // a second visit counts afresh
        run.enterAt(2.0);
        giAccumCount = 3;  // what the running average left behind
        for (int update = 0; update <= 3; ++update, run.frame())
            EXPECT_EQ(giAccumMode, update < 2 ? giRunningAverage : giProgressive) << visit << " " << update;
        EXPECT_EQ(giAccumCount, 3);  // the progressive blend carries on from that history
    }
    cameraTransitionActive = false;
    ASSERT_TRUE(run.runUntil(""));
    run.expectPhases({{"wait_transition", -1.0}, {"orbit", 8.0}});
    EXPECT_EQ(run.labelsShown, std::vector<std::string>({"enlightened", "by", "raytracing"}));
}

TEST_F(SceneScripts, ShuttersOpenConvergeLiftAndSweepWithFrozenLight)
{
    cSceneShutters shutters;
    ScriptRun run{shutters};
    run.enterAt(0.0);
    EXPECT_FLOAT_EQ(renderSettings.gamma, 1.88f);
    EXPECT_FLOAT_EQ(renderSettings.giBlend, 0.03f);
    EXPECT_FLOAT_EQ(shutters.cameraTarget[0], 3.14159f);
    ASSERT_TRUE(run.runUntil("converge"));
    EXPECT_EQ(renderSettings.raysPerFrame, 32);
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
    ASSERT_TRUE(run.runUntil(""));
    run.expectPhases(
        {{"wait_transition", 0.0}, {"shutters", 13.0}, {"converge", 0.01}, {"orbit", 5.0}, {"swipe", 5.0}});
    EXPECT_EQ(run.labelsShown, std::vector<std::string>({"light on", "white light 100%", "nominal"}));
}

TEST_F(SceneScripts, TheTableHoldsTheFirstFourScenesAndTheShowStartsWithTheIntro)
{
    std::fill(std::begin(sceneTable), std::end(sceneTable), nullptr);
    fillSceneTable();
    EXPECT_NE(dynamic_cast<cSceneIntro*>(sceneTable[9]), nullptr);
    EXPECT_NE(dynamic_cast<cSceneCornell*>(sceneTable[2]), nullptr);
    EXPECT_NE(dynamic_cast<cSceneCathedral*>(sceneTable[3]), nullptr);
    EXPECT_NE(dynamic_cast<cSceneShutters*>(sceneTable[7]), nullptr);
    EXPECT_EQ(currentSceneIndex, 9);
}
