// tests/cpu/cathedralShuttersSceneTests.cpp
// The cathedral's hand-over to progressive GI, the shutters' script, and where the scenes sit in the table.
#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "app/camera.h"
#include "gpu/giState.h"
#include "scenes/sceneCathedral.h"
#include "scenes/sceneCornell.h"
#include "scenes/sceneIntro.h"
#include "scenes/sceneShutters.h"
#include "sceneScriptRun.h"
#include "sequencer/orbit.h"
#include "sequencer/renderSettings.h"
#include "sequencer/sceneSequence.h"
#include "sequencerFixture.h"

namespace {
class SceneScripts : public SequencerFixture {};

std::vector<std::string> phaseNames(const ScriptRun& run)
{
    std::vector<std::string> names;
    for (const PhaseStart& s : run.starts)
        names.push_back(s.name);
    return names;
}
}

TEST_F(SceneScripts, CathedralSwitchesToProgressiveOnItsSecondUpdateAndKeepsTheCount)
{
    cSceneCathedral cathedral;
    giAccumMode = giFrozen;
    clock.now = 2.0;
    cathedral.enter();
    EXPECT_EQ(giAccumMode, giRunningAverage);
    EXPECT_TRUE(renderSettings.refraction);
    giAccumCount = 3;  // what the running average left behind

    clock.now += 0.016;
    cathedral.update();
    EXPECT_EQ(cathedral.frameCounter, 1);
    EXPECT_EQ(giAccumMode, giRunningAverage);
    clock.now += 0.016;
    cathedral.update();
    EXPECT_EQ(cathedral.frameCounter, 2);
    EXPECT_EQ(giAccumMode, giProgressive);
    EXPECT_EQ(giAccumCount, 3);
    clock.now += 0.016;
    cathedral.update();
    EXPECT_EQ(cathedral.frameCounter, 2);  // counts only while running-average

    // A second visit counts afresh.
    cathedral.enter();
    EXPECT_EQ(cathedral.frameCounter, 0);
    EXPECT_EQ(giAccumMode, giRunningAverage);
}

TEST_F(SceneScripts, CathedralSwaysForEightSecondsAfterTheCamera)
{
    cSceneCathedral cathedral;
    ScriptRun run{clock, cathedral};
    clock.now = 1.0;
    cathedral.enter();
    run.begin();
    cameraTransitionActive = true;
    run.runFor(0.5);
    EXPECT_EQ(run.currentName(), "wait_transition");
    cameraTransitionActive = false;
    ASSERT_TRUE(run.runUntilPhase("orbit"));
    double orbitStart = clock.now;
    while (!cathedral.finished && clock.now < 20.0)
        run.frame();
    EXPECT_NEAR(clock.now - orbitStart, 8.0, 0.002);
    EXPECT_EQ(run.labelsShown, std::vector<std::string>({"enlightened", "by", "raytracing"}));
}

TEST_F(SceneScripts, ShuttersOpenConvergeLiftAndSweepWithFrozenLight)
{
    cSceneShutters shutters;
    ScriptRun run{clock, shutters};
    shutters.enter();
    run.begin();
    EXPECT_FLOAT_EQ(renderSettings.gamma, 1.88f);
    EXPECT_FLOAT_EQ(renderSettings.giBlend, 0.03f);
    EXPECT_FLOAT_EQ(shutters.cameraTarget[0], 3.14159f);

    ASSERT_TRUE(run.runUntilPhase("converge"));
    EXPECT_EQ(renderSettings.raysPerFrame, 32);
    EXPECT_EQ(giAccumMode, giProgressive);

    ASSERT_TRUE(run.runUntilPhase("orbit"));
    double orbitStart = clock.now;
    OrbitSnapshot snapshot = shutters.orbit;
    run.runFor(1.25);  // a quarter of the phase: the lift is half way, q = 0.5
    float t = (float)(clock.now - orbitStart);
    float q = std::min(2.0f * t / 5.0f, 1.0f);
    float lift = 0.35f * q * q * (3.0f - 2.0f * q);
    EXPECT_NEAR(cameraPitch, orbitSwayAt(snapshot, t, 0.15f, 0.7f).pitch + lift, 1e-4f);
    run.runFor(2.0);  // past the half: the full lift
    t = (float)(clock.now - orbitStart);
    EXPECT_NEAR(cameraPitch, orbitSwayAt(snapshot, t, 0.15f, 0.7f).pitch + 0.35f, 1e-4f);

    ASSERT_TRUE(run.runUntilPhase("swipe"));
    EXPECT_EQ(giAccumMode, giFrozen);
    while (!shutters.finished && clock.now < 60.0)
        run.frame();
    ASSERT_TRUE(shutters.finished);

    EXPECT_EQ(phaseNames(run), std::vector<std::string>({"wait_transition", "shutters", "converge", "orbit", "swipe"}));
    EXPECT_NEAR(run.starts[2].at - run.starts[1].at, 13.0, 0.002);
    EXPECT_NEAR(run.starts[3].at - run.starts[2].at, 0.01, 0.002);
    EXPECT_NEAR(run.starts[4].at - run.starts[3].at, 5.0, 0.002);
    EXPECT_NEAR(clock.now - run.starts[4].at, 5.0, 0.002);
    EXPECT_EQ(run.labelsShown, std::vector<std::string>({"light on", "white light 100%", "nominal"}));
}

TEST_F(SceneScripts, TheTableHoldsTheFirstFourScenesOfTheShow)
{
    std::fill(std::begin(sceneTable), std::end(sceneTable), nullptr);
    currentSceneIndex = -1;
    fillSceneTable();
    EXPECT_NE(dynamic_cast<cSceneIntro*>(sceneTable[9]), nullptr);
    EXPECT_NE(dynamic_cast<cSceneCornell*>(sceneTable[2]), nullptr);
    EXPECT_NE(dynamic_cast<cSceneCathedral*>(sceneTable[3]), nullptr);
    EXPECT_NE(dynamic_cast<cSceneShutters*>(sceneTable[7]), nullptr);
    EXPECT_EQ(currentSceneIndex, scenePlaylist[0]);
    EXPECT_EQ(currentSceneIndex, 9);
}
