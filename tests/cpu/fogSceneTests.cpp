// tests/cpu/fogSceneTests.cpp
// The fog's lighting rigs over one round, and the beat camera jumps drawn from the scene's generator.
#include <cmath>
#include <cstdint>
#include <set>

#include "gpu/constants.h"
#include "gpu/giState.h"
#include "scenes/sceneFog.h"
#include "sequencer/camera.h"
#include "sequencerFixture.h"

namespace {
class FogScene : public SceneScript<cSceneFog> {
protected:
    void frameAt(double sceneSec, bool beat = false)
    {
        music.frame(beat);
        run.frameAt(scene.timeline.sceneStart + sceneSec);
    }
};
}

TEST_F(FogScene, RigsTurnEveryFourSecondsAndOneRoundEndsTheSceneAtTwentySeconds)
{
    run.enterAt(100.0);
    const struct { double sec; int lit; } rigs[] = {  // bit i: face i glows
        {1.0, 1 << facePosY}, {4.0, 1 << faceNegY}, {8.0, 1 << faceNegX},
        {12.0, 1 << faceNegY | 1 << facePosY}, {16.0, 0}};
    for (const auto& rig : rigs) {
        if (rig.sec > 1.0)  // the first update after the camera applies the first rig
            frameAt(rig.sec - 0.01);
        giResetRequested = false;
        frameAt(rig.sec + 0.001);
        int lit = 0;
        for (int face = 0; face < faceCount; ++face)
            lit |= (gpuConstants.vwFaces[face].emissivity > 0.0f) << face;
        EXPECT_EQ(lit, rig.lit) << rig.sec;
        EXPECT_TRUE(giResetRequested && !scene.finished) << rig.sec;
    }
    frameAt(19.99);
    EXPECT_FALSE(scene.finished);
    frameAt(20.001);
    EXPECT_TRUE(scene.finished);
}

TEST_F(FogScene, BeatsJumpTheCameraFromTheSeedAndTheMoonKeepsItWithinAQuarterTurn)
{
    const float sides[4] = {0.0f, -1.5707964f, 1.5707964f, 3.1415927f};  // under the first rig any of four
    uint32_t seed = 42;
    run.enterAt(0.0);
    for (int i = 0; i < 20; ++i) {
        frameAt(1.0 + 0.1 * i, true);
        seed = seed * 1103515245u + 12345u;
        EXPECT_FLOAT_EQ(cameraYaw, 2.79f + sides[(seed >> 16) & 3]) << i;
    }

    // Coming into the moon rig from further round than 2.5 rad snaps back; from 2.4 rad it does not. Each visit
    // plays the rigs from the start, and the generator carries on across visits.
    for (float away : {-3.0f, 2.4f}) {
        run.enterAt(away < 0.0f ? 100.0 : 200.0);
        EXPECT_EQ(scene.jitterSeed, seed);
        frameAt(15.99);
        cameraYaw = 2.79f + away;
        frameAt(16.01);
        EXPECT_FLOAT_EQ(cameraYaw, away < 0.0f ? 2.79f : 2.79f + away);
    }
    std::set<float> offsets;
    for (int i = 0; i < 30; ++i) {
        frameAt(16.1 + 0.1 * i, true);
        offsets.insert(cameraYaw - 2.79f);
        EXPECT_LE(std::fabs(cameraYaw - 2.79f), 1.5708f) << i;
    }
    EXPECT_EQ(offsets.size(), 3u);
}
