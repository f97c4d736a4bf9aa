// tests/cpu/orbitTests.cpp
// Orbit motions from a snapshot: offsets, continuity at the ramp ends, and the callbacks that drive the camera.
#include <cmath>

#include "app/camera.h"
#include "gpu/giState.h"
#include "sequencer/orbit.h"
#include "sequencer/sceneBase.h"
#include "sequencer/sharedCallbacks.h"
#include "sequencerFixture.h"

namespace {
class cOrbitScene : public cSceneBase {
public:
    void enter() override {}
    void fill(int) override {}
};

using Motion = float (*)(float t);

const OrbitSnapshot origin = {0.0f, 0.0f, 1.0f, 0.0};

float turnYaw(float t)
{
    return orbitTurnAt(origin, t, 0.4f, 0.07f, 0.15f, 2.0f).yaw;
}

float spinUpYaw(float t)
{
    return orbitSpinUpAt(origin, t, 0.2f, 16.0f, 0.3f, 1.0f).yaw;
}

float quickDecayYaw(float t)
{
    return orbitSpinUpAt(origin, t, 1.0f, 5.0f, 0.5f, 0.25f).yaw;
}

// One-sided slopes just before and just after t, each over a step h.
float slopeBefore(Motion f, float t, float h)
{
    return (f(t - h) - f(t - 2.0f * h)) / h;
}

float slopeAfter(Motion f, float t, float h)
{
    return (f(t + 2.0f * h) - f(t + h)) / h;
}

class Orbit : public SequencerFixture {};
}

TEST_F(Orbit, TurnReachesItsSpeedAtTheRampEndWithoutAJump)
{
    const OrbitSnapshot s = {1.25f, 0.3f, 2.0f, 0.0};
    EXPECT_NEAR(orbitTurnAt(s, 2.0f, 0.4f, 0.07f, 0.15f, 2.0f).yaw - 1.25f, 0.4f, 1e-6f);
    EXPECT_NEAR(orbitTurnAt(s, 3.0f, 0.4f, 0.07f, 0.15f, 2.0f).yaw - 1.25f, 0.8f, 1e-6f);
    EXPECT_FLOAT_EQ(orbitTurnAt(s, 0.0f, 0.4f, 0.07f, 0.15f, 2.0f).yaw, 1.25f);
    // Pitch: a full sine period takes 1 / pitchFreq seconds; a quarter of it is the peak.
    EXPECT_NEAR(orbitTurnAt(s, 1.0f / 0.6f, 0.4f, 0.07f, 0.15f, 2.0f).pitch, 0.3f + 0.07f, 1e-5f);

    EXPECT_NEAR(turnYaw(2.0f - 1e-4f), turnYaw(2.0f + 1e-4f), 2e-4f);
    EXPECT_NEAR(slopeBefore(turnYaw, 2.0f, 1e-3f), 0.4f, 2e-3f);
    EXPECT_NEAR(slopeAfter(turnYaw, 2.0f, 1e-3f), 0.4f, 2e-3f);
    // Starts from rest.
    EXPECT_NEAR(slopeAfter(turnYaw, 0.0f, 1e-3f), 0.0f, 1e-3f);
}

TEST_F(Orbit, SpinUpPeaksAtTheRampEndAndDecaysBackToItsStartSpeed)
{
    EXPECT_NEAR(spinUpYaw(0.3f - 1e-4f), spinUpYaw(0.3f + 1e-4f), 5e-3f);
    EXPECT_NEAR(slopeAfter(spinUpYaw, 0.0f, 1e-4f), 0.2f, 0.05f);
    EXPECT_NEAR(slopeBefore(spinUpYaw, 0.3f, 1e-3f), 16.0f, 0.1f);
    EXPECT_NEAR(slopeAfter(spinUpYaw, 0.3f, 1e-3f), 16.0f, 0.1f);
    // One time constant later the extra speed has fallen to 1/e.
    EXPECT_NEAR(slopeAfter(spinUpYaw, 1.3f, 1e-3f), 0.2f + 15.8f / std::exp(1.0f), 0.1f);
    EXPECT_NEAR(slopeAfter(spinUpYaw, 20.0f, 1e-2f), 0.2f, 0.01f);
    EXPECT_NEAR(slopeBefore(quickDecayYaw, 0.5f, 1e-3f), 5.0f, 0.02f);
    EXPECT_NEAR(slopeAfter(quickDecayYaw, 0.75f, 1e-3f), 1.0f + 4.0f / std::exp(1.0f), 0.05f);

    const OrbitSnapshot s = {0.0f, -0.2f, 1.0f, 0.0};
    EXPECT_NEAR(orbitSpinUpAt(s, 10.0f, 0.2f, 16.0f, 0.3f, 1.0f).pitch, -0.2f + 0.1f * std::sin(1.5f), 1e-6f);
}

TEST_F(Orbit, SwayEasesInAndSwingsAroundTheSnapshot)
{
    const OrbitSnapshot s = {0.5f, 0.2f, 1.0f, 0.0};
    OrbitAngles atStart = orbitSwayAt(s, 0.0f, 0.3f, 1.0f);
    EXPECT_FLOAT_EQ(atStart.yaw, 0.5f);
    EXPECT_FLOAT_EQ(atStart.pitch, 0.2f);
    // At one second the ease is one half, so the angle is half of t x speed.
    OrbitAngles eased = orbitSwayAt(s, 1.0f, 0.3f, 1.0f);
    EXPECT_NEAR(eased.yaw, 0.5f + 0.3f * std::sin(0.5f), 1e-6f);
    OrbitAngles full = orbitSwayAt(s, 4.0f, 0.3f, 0.5f);
    EXPECT_NEAR(full.yaw, 0.5f + 0.3f * std::sin(2.0f), 1e-6f);
    EXPECT_NEAR(full.pitch, 0.2f + (std::cos(2.0f) - 1.0f) * 0.21f, 1e-6f);
}

TEST_F(Orbit, CallbacksSnapshotTheCameraAndMoveOnlyYawAndPitch)
{
    cOrbitScene scene;
    cameraYaw = 0.75f;
    cameraPitch = 0.1f;
    cameraDistance = 1.8f;
    clock.now = 5.0;
    orbitStart(scene)();
    EXPECT_EQ(scene.orbit.yaw, 0.75f);
    EXPECT_EQ(scene.orbit.distance, 1.8f);
    EXPECT_EQ(scene.orbit.time, 5.0);
    EXPECT_EQ(giAccumMode, giRunningAverage);

    Phase phase;
    clock.now = 8.0;
    orbitTurnStandard(scene)(0.0f, phase);
    EXPECT_NEAR(cameraYaw, 0.75f + 0.8f, 1e-5f);
    EXPECT_NEAR(cameraPitch, 0.1f + 0.07f * std::sin(3.0f * 0.15f * 6.2832f), 1e-6f);
    EXPECT_EQ(cameraDistance, 1.8f);

    cameraDistance = 1.1f;
    orbitStartAndFreeze(scene)();
    EXPECT_EQ(giAccumMode, giFrozen);
    EXPECT_EQ(scene.orbit.time, 8.0);
    EXPECT_EQ(scene.orbit.distance, 1.1f);

    clock.now = 8.0 + 1.3;
    orbitSpinUpStandard(scene)(0.0f, phase);
    EXPECT_GT(cameraYaw, scene.orbit.yaw + 5.0f);
    EXPECT_EQ(cameraDistance, 1.1f);
}
