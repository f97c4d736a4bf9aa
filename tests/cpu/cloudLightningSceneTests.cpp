// tests/cpu/cloudLightningSceneTests.cpp
// The strike rhythm on the beat across visits, and the turn that anchors the satellite cameras.
#include "scenes/sceneCloudLightning.h"
#include "sequencer/camera.h"
#include "sequencerFixture.h"

using CloudLightning = SceneScript<cSceneCloudLightning>;

TEST_F(CloudLightning, StrikesOnEvenBeatsThenOnEveryBeatInTheLastQuarterAndMissesBeatsDuringTheTransition)
{
    sceneTable[8] = &scene;
    currentSceneIndex = 8;
    for (int visit = 0; visit < 2; ++visit) {
        double start = 50.0 * (visit + 1), orbitBegan = -1.0;
        setDemoClock(start);
        int beatsBefore = scene.beatCount, transitionBeats = 0, oddStrikes = 0;
        switchScene();
        EXPECT_EQ(scene.beatCount, beatsBefore);  // the counts live for the whole program
        bool lastQuarter = false;
        float yawThreeSecondsIn = 0.0f;
        for (int i = 1; !scene.finished; ++i) {
            double now = start + i / 64.0;
            int beats = scene.beatCount, strikes = scene.strikeCount;
            bool inTransition = cameraTransitionActive, orbitRunning = scene.timeline.index == 1;
            // One frame as the frame loop runs it: the beat first, then the sequencer's step.
            setDemoClock(now);
            trackBeat((float)(i / 64.0 + 0.2 * visit));
            stepSequencer();
            if (!orbitRunning && scene.timeline.index == 1)
                orbitBegan = now;
            if (scene.timeline.index == 1 && now - orbitBegan == 3.0)
                yawThreeSecondsIn = cameraYaw;
            if (!beatFlag || inTransition) {
                transitionBeats += beatFlag;
                EXPECT_TRUE(scene.beatCount == beats && scene.strikeCount == strikes) << now;
            } else {
                EXPECT_EQ(scene.beatCount, beats + 1);
                bool strike = lastQuarter || scene.beatCount % 2 == 0;
                EXPECT_EQ(scene.strikeCount, strikes + strike) << visit << " " << now;
                EXPECT_TRUE(!strike || scene.strikeTime == now) << now;
                oddStrikes += strike && scene.beatCount % 2 != 0;
            }
            // The rule changes from the frame after the one whose progress passed three quarters.
            lastQuarter = lastQuarter || (scene.timeline.index == 1 && (float)(now - orbitBegan) / 15.0f > 0.75f);
        }
        // The satellites are anchored where the transition left the camera, when the orbit began.
        EXPECT_TRUE(viewAnchorYaw == 2.7f && viewAnchorPitch == 0.4f && viewAnchorTime == orbitBegan);
        EXPECT_NEAR(yawThreeSecondsIn, 2.7f + 0.8f, 1e-5f);  // the standard turn from that anchor
        EXPECT_TRUE(transitionBeats > 0 && oddStrikes > 2) << visit;
    }
}
