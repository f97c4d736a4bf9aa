// tests/cpu/orbitTests.cpp
// The orbit camera: its basis at every angle, the motions from a snapshot with their ramp ends, and the callbacks
// that drive the camera.
#include <cmath>

#include "gpu/giState.h"
#include "sequencer/camera.h"
#include "sequencer/sharedCallbacks.h"
#include "sequencerFixture.h"

namespace {
constexpr float e = 2.7182818f;
const OrbitSnapshot origin = {0.0f, 0.0f, 1.0f, 0.0};
const auto turn = [](float t) { return orbitTurnAt(origin, t, 0.4f, 0.07f, 0.15f, 2.0f).yaw; };
const auto spinUp = [](float t) { return orbitSpinUpAt(origin, t, 0.2f, 16.0f, 0.3f, 1.0f).yaw; };
const auto sway = [](float t) { return orbitSwayAt(origin, t, 0.3f, 1.0f).yaw; };

// Mean yaw speed between a and b, both on one side of a ramp end.
float slope(auto yaw, float a, float b)
{
    return (yaw(b) - yaw(a)) / (b - a);
}

float dot(Vec3 a, Vec3 b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

class Orbit : public SequencerFixture {};
}

TEST(CameraBasis, LooksAtTheCentreAndStaysOrthonormalUpToThePitchLimit)
{
    // At rest the camera sits on the +z side looking down -z, with +x on its left.
    CameraBasis rest = buildCameraBasis(0.0f, 0.0f, 1.4f);
    const Vec3 expected[4] = {{0.5f, 0.5f, 1.9f}, {0, 0, -1}, {-1, 0, 0}, {0, 1, 0}};
    const Vec3 actual[4] = {rest.pos, rest.fwd, rest.right, rest.up};
    for (int v = 0; v < 4; ++v)
        EXPECT_TRUE(std::fabs(actual[v].x - expected[v].x) + std::fabs(actual[v].y - expected[v].y) +
                        std::fabs(actual[v].z - expected[v].z) < 1e-6f) << "vector " << v;
    for (float pitch : {1.5f, -1.5f})
        for (float yaw : {0.0f, 1.0466667f, -2.5f, 40.0f}) {
            SCOPED_TRACE(testing::Message() << "yaw " << yaw << ", pitch " << pitch);
            CameraBasis b = buildCameraBasis(yaw, pitch, 1.4f);
            Vec3 toCentre = {0.5f - b.pos.x, 0.5f - b.pos.y, 0.5f - b.pos.z};
            EXPECT_NEAR(std::sqrt(dot(toCentre, toCentre)), 1.4f, 1e-5f);
            EXPECT_NEAR(dot(b.fwd, toCentre), 1.4f, 1e-5f);
            const Vec3 axes[3] = {b.fwd, b.right, b.up};
            for (int i = 0; i < 3; ++i)
                for (int j = i; j < 3; ++j)
                    EXPECT_NEAR(dot(axes[i], axes[j]), i == j ? 1.0f : 0.0f, 1e-5f);
            // Right stays level and up keeps pointing to the sky side of the view.
            EXPECT_TRUE(b.right.y == 0.0f && b.up.y > 0.0f);
        }
}

TEST_F(Orbit, MotionsStartFromRestOrTheirStartSpeedAndReachTheirSpeedAtTheRampEndWithoutAJump)
{
    const OrbitSnapshot s = {1.25f, 0.3f, 2.0f, 0.0};
    EXPECT_NEAR(orbitTurnAt(s, 2.0f, 0.4f, 0.07f, 0.15f, 2.0f).yaw, 1.25f + 0.4f, 1e-6f);
    EXPECT_NEAR(orbitTurnAt(s, 3.0f, 0.4f, 0.07f, 0.15f, 2.0f).yaw, 1.25f + 0.8f, 1e-6f);
    // A quarter of the pitch period 1 / pitchFreq is the peak.
    EXPECT_NEAR(orbitTurnAt(s, 1.0f / 0.6f, 0.4f, 0.07f, 0.15f, 2.0f).pitch, 0.37f, 1e-5f);
    EXPECT_NEAR(turn(1.9999f), turn(2.0001f), 2e-4f);
    EXPECT_NEAR(slope(turn, 1.998f, 1.999f), 0.4f, 2e-3f);
    EXPECT_NEAR(slope(turn, 2.001f, 2.002f), 0.4f, 2e-3f);
    EXPECT_NEAR(slope(turn, 0.0f, 0.001f), 0.0f, 1e-3f);

    EXPECT_NEAR(spinUp(0.2999f), spinUp(0.3001f), 5e-3f);
    EXPECT_NEAR(slope(spinUp, 0.0f, 1e-4f), 0.2f, 0.05f);
    EXPECT_NEAR(slope(spinUp, 0.298f, 0.299f), 16.0f, 0.1f);
    EXPECT_NEAR(slope(spinUp, 0.301f, 0.302f), 16.0f, 0.1f);
    // One time constant later the extra speed has fallen to 1/e.
    EXPECT_NEAR(slope(spinUp, 1.3f, 1.301f), 0.2f + 15.8f / e, 0.1f);
    EXPECT_NEAR(slope(spinUp, 20.0f, 20.01f), 0.2f, 0.01f);
    auto quick = [](float t) { return orbitSpinUpAt(origin, t, 1.0f, 5.0f, 0.5f, 0.25f).yaw; };
    EXPECT_NEAR(slope(quick, 0.75f, 0.751f), 1.0f + 4.0f / e, 0.05f);

    // The sway eases in from rest and swings around the snapshot within its amplitude, never above it.
    EXPECT_NEAR(slope(sway, 0.0f, 0.01f), 0.0f, 1e-3f);
    for (float t = 0.0f; t < 20.0f; t += 0.37f)
        EXPECT_TRUE(std::fabs(sway(t)) <= 0.3f + 1e-6f && orbitSwayAt(origin, t, 0.3f, 1.0f).pitch <= 1e-6f) << t;
}

TEST_F(Orbit, CallbacksDriveTheCameraFromTheirSnapshotAndLeaveItsDistance)
{
    cProbeScene scene;
    Phase phase;
    cameraYaw = 0.75f;
    cameraDistance = 1.8f;
    setDemoClock(5.0);
    orbitStart(scene)();
    setDemoClock(8.0);
    orbitTurnStandard(scene)(0.0f, phase);
    EXPECT_NEAR(cameraYaw, 0.75f + 0.8f, 1e-5f);
    orbitStartAndFreeze(scene)();
    EXPECT_EQ(giAccumMode, giFrozen);
    setDemoClock(9.3);
    orbitSpinUpStandard(scene)(0.0f, phase);
    EXPECT_NEAR(cameraYaw - scene.orbit.yaw, spinUp(1.3f), 1e-4f);
    EXPECT_EQ(cameraDistance, 1.8f);
}
