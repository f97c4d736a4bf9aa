// tests/cpu/cameraTests.cpp
// The cameras: the orbit camera's basis at every angle, its motions from a snapshot with their ramp ends, the
// callbacks that drive it, and the view rectangles and cameras of every layout.
#include <array>
#include <cmath>
#include <cstring>
#include <utility>

#include "gpu/giState.h"
#include "gpu/viewLayouts.h"
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

using Rect = std::array<float, 4>;

ViewSetup setupFor(int width, int height)
{
    ViewSetup setup{.mainBasis = buildCameraBasis(0.3f, 0.2f, 1.2f), .yaws = {}, .pitches = {}, .viewDistance = 1.3f,
                    .volSize = 128, .width = width, .height = height, .gamma = 2.2f, .refraction = false,
                    .hihatPulse = 0.0f};
    for (int k = 0; k < maxViews; ++k) {
        setup.yaws[k] = 0.7f * k + 0.1f;
        setup.pitches[k] = 0.1f * k - 0.4f;
    }
    return setup;
}

Rect rectOf(const ViewsUBO& block, int k)
{
    const float* r = block.views[k].rect;
    return {r[0], r[1], r[2], r[3]};
}

class Orbit : public SequencerFixture {};
}

TEST_F(Orbit, MotionsReachTheirSpeedAtTheRampEndWithoutAJumpAndCallbacksDriveTheCameraFromTheirSnapshot)
{
    const OrbitSnapshot s = {1.25f, 0.3f, 2.0f, 0.0};
    EXPECT_NEAR(orbitTurnAt(s, 2.0f, 0.4f, 0.07f, 0.15f, 2.0f).yaw, 1.25f + 0.4f, 1e-6f);
    // A quarter of the pitch period 1 / pitchFreq is the peak.
    EXPECT_NEAR(orbitTurnAt(s, 1.0f / 0.6f, 0.4f, 0.07f, 0.15f, 2.0f).pitch, 0.37f, 1e-5f);
    EXPECT_NEAR(turn(1.9999f), turn(2.0001f), 2e-4f);
    EXPECT_TRUE(std::fabs(slope(turn, 1.998f, 1.999f) - 0.4f) < 2e-3f &&
                std::fabs(slope(turn, 2.001f, 2.002f) - 0.4f) < 2e-3f);
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

    // The callbacks drive the camera from their snapshot and leave its distance.
    cProbeScene scene{show};
    Phase phase;
    show.cameraYaw = 0.75f;
    show.cameraDistance = 1.8f;
    show.demoClock = 5.0;
    orbitStart(scene)();
    show.demoClock = 8.0;
    orbitTurnStandard(scene)(0.0f, phase);
    EXPECT_NEAR(show.cameraYaw, 0.75f + 0.8f, 1e-5f);
    orbitStartAndFreeze(scene)();
    EXPECT_EQ(show.gi.giAccumMode, giFrozen);
    show.demoClock = 9.3;
    orbitSpinUpStandard(scene)(0.0f, phase);
    EXPECT_TRUE(std::fabs(show.cameraYaw - scene.orbit.yaw - spinUp(1.3f)) < 1e-4f && show.cameraDistance == 1.8f);
}

TEST(CameraViews, TheBasisLooksAtTheCentreUpToThePitchLimitAndEveryLayoutFitsItsViewsAndUsesItsCameras)
{
    // At rest the camera sits on the +z side looking down -z, with +x on its left.
    CameraBasis rest = buildCameraBasis(0.0f, 0.0f, 1.4f);
    const Vec3 restWant[4] = {{0.5f, 0.5f, 1.9f}, {0, 0, -1}, {-1, 0, 0}, {0, 1, 0}};
    const Vec3 restGot[4] = {rest.pos, rest.fwd, rest.right, rest.up};
    for (int v = 0; v < 4; ++v)
        EXPECT_TRUE(std::fabs(restGot[v].x - restWant[v].x) + std::fabs(restGot[v].y - restWant[v].y) +
                        std::fabs(restGot[v].z - restWant[v].z) < 1e-6f) << "vector " << v;
    for (float pitch : {1.5f, -1.5f})
        for (float yaw : {0.0f, 1.0466667f, -2.5f, 40.0f}) {
            SCOPED_TRACE(testing::Message() << "yaw " << yaw << ", pitch " << pitch);
            CameraBasis b = buildCameraBasis(yaw, pitch, 1.4f);
            Vec3 toCentre = {0.5f - b.pos.x, 0.5f - b.pos.y, 0.5f - b.pos.z};
            EXPECT_TRUE(std::fabs(std::sqrt(dot(toCentre, toCentre)) - 1.4f) < 1e-5f &&
                        std::fabs(dot(b.fwd, toCentre) - 1.4f) < 1e-5f);
            const Vec3 axes[3] = {b.fwd, b.right, b.up};
            for (int i = 0; i < 3; ++i)
                for (int j = i; j < 3; ++j)
                    EXPECT_NEAR(dot(axes[i], axes[j]), i == j ? 1.0f : 0.0f, 1e-5f);
            // Right stays level and up keeps pointing to the sky side of the view.
            EXPECT_TRUE(b.right.y == 0.0f && b.up.y > 0.0f);
        }

    // Full HD rectangles match the layout table; every layout fits without overlaps and uses its cameras.
    const ViewSetup fullHd = setupFor(1920, 1080);
    const Rect single = {0, 0, 1920, 1080}, sides[5] = {{480, 0, 960, 1080}, {0, 72, 480, 432}, {1440, 72, 480, 432},
                                                        {0, 576, 480, 432}, {1440, 576, 480, 432}};
    EXPECT_EQ(rectOf(buildViews(fullHd, 0), 0), single);
    for (int k = 0; k < 5; ++k)
        EXPECT_EQ(rectOf(buildViews(fullHd, 1), k), sides[k]) << "view " << k;
    for (int k = 0; k < 6; ++k)
        EXPECT_EQ(rectOf(buildViews(fullHd, 3), k), (Rect{99.0f + 607 * (k % 3), 21.0f + 529 * (k / 3), 508, 508}));
    // Every layout number past the table is the nine-grid.
    for (int layout : {6, 9, -1}) {
        ViewsUBO grid = buildViews(fullHd, layout);
        ASSERT_EQ(grid.numViews, 9);
        for (int k = 0; k < 9; ++k)
            EXPECT_EQ(rectOf(grid, k), (Rect{226.0f + 564 * (k % 3), 16.0f + 354 * (k / 3), 338, 338})) << layout;
    }
    // The side panels crop virtual views as wide as the centre: the left one shows the right end of its frame.
    ViewsUBO panels = buildViews(fullHd, 5);
    const ViewParams &left = panels.views[1], &right = panels.views[2];
    EXPECT_EQ(rectOf(panels, 0), (Rect{384, 0, 1152, 1080}));
    EXPECT_TRUE(left.virtualW == 1152.0f && left.cropX + left.rect[2] == left.virtualW && right.virtualW == 1152.0f &&
                right.cropX == 0.0f);

    // Per layout, the camera of each view: 'm' the main one, a digit k the k-th orbit camera.
    const char* cameras[7] = {"m", "m0123", "0123", "012345", "m1", "m01", "012345678"};
    for (auto [width, height] : {std::pair{1280, 720}, {2560, 1440}, {1366, 768}, {1920, 1080}}) {
        ViewSetup setup = setupFor(width, height);
        for (int layout = 0; layout <= 6; ++layout) {
            ViewsUBO block = buildViews(setup, layout);
            ASSERT_EQ(block.numViews, (int)std::strlen(cameras[layout]));
            for (int k = 0; k < block.numViews; ++k) {
                SCOPED_TRACE(testing::Message() << width << "x" << height << " layout " << layout << " view " << k);
                Rect r = rectOf(block, k);
                EXPECT_TRUE(r[0] >= 0 && r[1] >= 0 && r[2] > 0 && r[3] > 0 && r[0] + r[2] <= width &&
                            r[1] + r[3] <= height);
                for (int o = 0; o < k; ++o) {
                    Rect b = rectOf(block, o);
                    EXPECT_FALSE(r[0] < b[0] + b[2] && b[0] < r[0] + r[2] && r[1] < b[1] + b[3] && b[1] < r[1] + r[3])
                        << "overlaps view " << o;
                }
                const ViewParams& view = block.views[k];
                int orbit = cameras[layout][k] == 'm' ? -1 : cameras[layout][k] - '0';
                CameraBasis expected = orbit < 0 ? setup.mainBasis
                                                 : buildCameraBasis(setup.yaws[orbit], setup.pitches[orbit], 1.3f);
                EXPECT_TRUE(view.pos[0] == expected.pos.x && view.pos[1] == expected.pos.y &&
                            view.pos[2] == expected.pos.z);
                // Only the side-panel layout crops virtual views.
                EXPECT_TRUE(layout == 5 || (view.virtualW == 0.0f && view.cropX == 0.0f));
            }
        }
    }
}
