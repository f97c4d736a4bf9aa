// tests/cpu/cloudLightningSceneTests.cpp
// The strike rhythm on the beat across visits, and the turn that anchors the satellite cameras.
#include "audio/beat.h"
#include "scenes/sceneCloudLightning.h"
#include "sequencer/camera.h"
#include "sequencer/sceneSequence.h"
#include "sequencerFixture.h"

using CloudLightning = SequencerFixture;

TEST_F(CloudLightning, StrikesOnEvenBeatsThenOnEveryBeatInTheLastQuarterAndMissesBeatsDuringTheTransition)
{
    cSceneCloudLightning cloud;
    cSceneBase* registered = sceneTable[8];
    sceneTable[8] = &cloud;
    currentSceneIndex = 8;
    for (int visit = 0; visit < 2; ++visit) {
        double start = 50.0 * (visit + 1);
        setDemoClock(start);
        int beatsBefore = cloud.beatCount;
        switchScene();
        EXPECT_EQ(cloud.beatCount, beatsBefore);  // the counts live for the whole program
        int transitionBeats = 0, oddStrikes = 0;
        bool lastQuarter = false;
        double orbitBegan = -1.0;
        float yawThreeSecondsIn = 0.0f;
        for (int i = 1; !cloud.finished; ++i) {
            double now = start + i / 64.0;
            int beats = cloud.beatCount, strikes = cloud.strikeCount;
            bool inTransition = cameraTransitionActive;
            bool orbitRunning = cloud.timeline.index == 1;
            // One frame as the frame loop runs it: the beat first, then the sequencer's step.
            setDemoClock(now);
            trackBeat((float)(i / 64.0 + 0.2 * visit));
            stepSequencer();
            if (!orbitRunning && cloud.timeline.index == 1)
                orbitBegan = now;
            if (cloud.timeline.index == 1 && now - orbitBegan == 3.0)
                yawThreeSecondsIn = cameraYaw;
            if (!beatFlag || inTransition) {
                transitionBeats += beatFlag;
                EXPECT_EQ(cloud.beatCount, beats);
                EXPECT_EQ(cloud.strikeCount, strikes);
            } else {
                EXPECT_EQ(cloud.beatCount, beats + 1);
                bool strike = lastQuarter || cloud.beatCount % 2 == 0;
                EXPECT_EQ(cloud.strikeCount, strikes + strike) << visit << " " << now;
                EXPECT_TRUE(!strike || cloud.strikeTime == now) << now;
                oddStrikes += strike && cloud.beatCount % 2 != 0;
            }
            // The rule changes from the frame after the one whose progress passed three quarters.
            lastQuarter = lastQuarter || (cloud.timeline.index == 1 && (float)(now - orbitBegan) / 15.0f > 0.75f);
        }
        // The satellites are anchored where the transition left the camera, when the orbit began.
        EXPECT_FLOAT_EQ(viewAnchorYaw, 2.7f);
        EXPECT_FLOAT_EQ(viewAnchorPitch, 0.4f);
        EXPECT_EQ(viewAnchorTime, orbitBegan);
        EXPECT_NEAR(yawThreeSecondsIn, 2.7f + 0.8f, 1e-5f);  // the standard turn from that anchor
        EXPECT_GT(transitionBeats, 0) << visit;
        EXPECT_GT(oddStrikes, 2) << visit;
    }
    sceneTable[8] = registered;
}
