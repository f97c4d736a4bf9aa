// tests/cpu/luminarcsSceneTests.cpp
// The group-name scene's script: the letters' clock, the GI hand-over and the beat pulse.
#include "gpu/giState.h"
#include "scenes/sceneLuminarcs2.h"
#include "sequencer/sceneSequence.h"
#include "sequencerFixture.h"

using LuminarcsScene = SceneScript<cSceneLuminarcs2>;

TEST_F(LuminarcsScene, LettersRestartWithNeonsThenTheLightConvergesOnBeatsAndFreezesForTheSpin)
{
    run.enterAt(50.0);
    cameraTransitionActive = true;
    run.frameAt(50.5);
    EXPECT_FLOAT_EQ(scene.neonTime(), 0.5f);  // until "neons" the letters run on scene time
    cameraTransitionActive = false;
    run.frameAt(51.25);
    run.frameAt(53.25);
    EXPECT_FLOAT_EQ(scene.neonTime(), 2.0f);

    // A beat before "converge" leaves the hi-hat alone; the light converges, then freezes for the spin.
    ASSERT_TRUE(run.runUntil("rien"));
    music.frame(true);
    run.frame();
    EXPECT_TRUE(hihatPulse == 0.0f && giAccumMode == giRunningAverage);
    ASSERT_TRUE(run.runUntil("converge"));
    run.frame();
    EXPECT_TRUE(giAccumMode == giProgressive && hihatPulse == 1.0f);
    ASSERT_TRUE(run.runUntil("swipe"));
    EXPECT_EQ(giAccumMode, giFrozen);
    ASSERT_TRUE(run.runUntil(""));
    EXPECT_NEAR(demoClock() - 51.25, 18.0, 0.01);
}
