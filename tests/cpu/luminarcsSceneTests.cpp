// tests/cpu/luminarcsSceneTests.cpp
// The group-name scene's script: the letters' clock, the GI hand-over and the beat pulse.
#include <gtest/gtest.h>

#include "audio/beat.h"
#include "gpu/giState.h"
#include "scenes/sceneLuminarcs2.h"
#include "sequencer/sceneSequence.h"
#include "sequencerFixture.h"
#include "sequencerFixture.h"

class LuminarcsScene : public SequencerFixture {};

TEST_F(LuminarcsScene, LettersRestartWithNeonsThenTheLightConvergesOnBeatsAndFreezesForTheSpin)
{
    cSceneLuminarcs2 name;
    ScriptRun run{name};
    run.enterAt(50.0);
    cameraTransitionActive = true;
    run.frameAt(50.5);
    EXPECT_FLOAT_EQ(name.neonTime(), 0.5f);  // until "neons" the letters run on scene time
    cameraTransitionActive = false;
    run.frameAt(51.25);
    run.frameAt(53.25);
    EXPECT_FLOAT_EQ(name.neonTime(), 2.0f);

    // A beat before "converge" leaves the hi-hat alone; the light converges, then freezes for the spin.
    ASSERT_TRUE(run.runUntil("rien"));
    trackBeat(0.40f);
    trackBeat(0.47f);
    run.frame();
    EXPECT_EQ(hihatPulse, 0.0f);
    EXPECT_EQ(giAccumMode, giRunningAverage);
    ASSERT_TRUE(run.runUntil("converge"));
    run.frame();
    EXPECT_EQ(giAccumMode, giProgressive);
    EXPECT_EQ(hihatPulse, 1.0f);
    ASSERT_TRUE(run.runUntil("swipe"));
    EXPECT_EQ(giAccumMode, giFrozen);
    ASSERT_TRUE(run.runUntil(""));
    EXPECT_NEAR(demoClock() - 51.25, 18.0, 0.01);
}
