// tests/gl/roomFillTests.cpp
// The Cornell box, cathedral and shutters fills read back from a 128^3 volume against CPU models of each room.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "fillVolumeCheck.h"
#include "glTestContext.h"
#include "gpu/constants.h"
#include "scenes/sceneCathedral.h"
#include "scenes/sceneCornell.h"
#include "scenes/sceneShutters.h"
#include "sequencer/demoClock.h"
#include "sequencer/renderSettings.h"

namespace {
constexpr int volSize = 128;
constexpr int last = volSize - 1;

bool insideTurnedBox(float px, float py, float pz, float cx, float cy, float cz, float hx, float hy, float hz,
                     float yawRad)
{
    float dx = px - cx, dz = pz - cz;
    float rx = dx * std::cos(yawRad) + dz * std::sin(yawRad);
    float rz = -dx * std::sin(yawRad) + dz * std::cos(yawRad);
    return std::fabs(rx) < hx && std::fabs(py - cy) < hy && std::fabs(rz) < hz;
}

float radians(float degrees)
{
    return degrees * 3.14159265f / 180.0f;
}

class RoomFill : public ::testing::Test {
protected:
    void SetUp() override
    {
        clock.install();
        renderSettings = RenderSettings();
        gpuConstants = GPUConstants();
    }
    void TearDown() override
    {
        setDemoClockSource({});
        renderSettings = RenderSettings();
        gpuConstants = GPUConstants();
    }

    void expectMatches(const VoxelModel& model, const char* what, const char* picture, int axis, int slice)
    {
        VolumeReadback v = readVolume();
        VolumeComparison c = compareVolume(v, model);
        EXPECT_EQ(c.mismatches, 0) << what << "\n" << c.firstMismatches;
        EXPECT_LT(c.ambiguous, volSize * volSize * 2) << what;
        writeSlicePng(v, axis, slice, picture);
        EXPECT_TRUE(takeGlErrors().empty()) << what;
    }

    ManualClock clock;
};

Voxel cornellModel(int x, int y, int z, float px, float py, float pz, float light)
{
    Voxel out;
    if (edgeVoxel(x, y, z, volSize, out))
        return out;
    out = Voxel{};
    if (y == last) {
        out = {0.76f, 0.76f, 0.76f, 1.0f, 0.0f, 1.0f};
        if (px >= 0.3f && px <= 0.7f && pz >= 0.3f && pz <= 0.7f)
            out = {light, light, 0.95f * light, 1.0f, 2.0f * light, 1.0f};
    }
    Voxel white = {0.73f, 0.73f, 0.73f, 1.0f, 0.0f, 1.0f};
    if (insideTurnedBox(px, py, pz, 0.65f, 0.275f, 0.35f, 0.13f, 0.275f, 0.13f, radians(17.0f)))
        out = white;
    if (insideTurnedBox(px, py, pz, 0.35f, 0.14f, 0.65f, 0.13f, 0.14f, 0.13f, radians(-15.0f)))
        out = white;
    return out;
}

Voxel cathedralModel(int x, int y, int z, float px, float py, float pz, float time)
{
    Voxel out;
    if (edgeVoxel(x, y, z, volSize, out))
        return out;
    if (pz > 1.0f - renderSettings.wallThickness) {
        float vx = (px - 0.5f) * 2.5f, vy = (py - 0.35f) * 2.0f;
        if (vy > -0.6f && vy < 1.0f && std::fabs(vx) < 0.8f - 0.5f * vy * vy) {
            float angle = std::atan2(vy, vx), rad = std::sqrt(vx * vx + vy * vy);
            float pattern = 0.5f * (0.5f + 0.5f * std::sin(8.0f * rad)) + 0.5f * (0.5f + 0.5f * std::sin(3.0f * angle));
            float hue = 0.5f * angle + 2.0f * rad + time;
            float grid = std::max(std::fabs(std::sin(12.0f * vx)), std::fabs(std::sin(10.0f * vy)));
            float lead = grid > 0.85f ? 0.15f : 1.0f;
            return {lead * (0.3f + 0.7f * std::max(0.0f, std::cos(hue))),
                    lead * (0.3f + 0.7f * std::max(0.0f, std::cos(hue + 2.094f))),
                    lead * (0.3f + 0.7f * std::max(0.0f, std::cos(hue + 4.189f))), 1.0f, lead * (8.0f + 4.0f * pattern),
                    1.0f};
        }
        return {0.25f, 0.22f, 0.20f, 1.0f, 0.0f, 1.0f};
    }
    Voxel stone = {0.30f, 0.27f, 0.24f, 1.0f, 0.0f, 1.0f};
    out = Voxel{};
    for (float cx : {0.25f, 0.75f})
        if ((px - cx) * (px - cx) + (pz - 0.5f) * (pz - 0.5f) < 0.04f * 0.04f)
            out = stone;
    float t = 1.5f / volSize, border = 2.0f / volSize;
    float dx = std::fabs(px - 0.5f), dy = std::fabs(py - 0.15f);
    bool inFrame = dx < 0.15f + border && dy < 0.15f + border && pz > 0.65f - 16.0f * t && pz < 0.65f + t;
    if (inFrame && !(dx < 0.15f && dy < 0.15f))
        return stone;
    float s = 0.30f;
    for (int i = 0; i < 8; ++i, s *= 0.92f) {
        float zc = 0.65f - 2.0f * t * i;
        if (dx < s / 2 && std::fabs(py - s / 2) < s / 2 && std::fabs(pz - zc) < t / 2) {
            float h = i / 8.0f;
            return {0.7f + 0.3f * std::sin(6.283f * h), 0.7f + 0.3f * std::sin(6.283f * h + 2.094f),
                    0.7f + 0.3f * std::sin(6.283f * h + 4.189f), 0.08f, 0.0f, 0.0f};
        }
    }
    return out;
}

float openness(float time, float start)
{
    float o = std::clamp((time - start) / 4.0f, 0.0f, 1.0f);
    return o * o * (3.0f - 2.0f * o);
}

Voxel shuttersModel(int x, int y, int z, float px, float py, float pz, float time)
{
    Voxel out;
    const float top = 0.93f, bottom = 0.93f - 0.6f * 0.92f;
    // (along the wall, height) on the window's wall, its openness and pane colour.
    auto window = [&](float along, float o, Voxel pane) {
        float openY = bottom + o * (top - bottom);
        Voxel v{};
        if (along >= 0.2f && along <= 0.8f) {
            if (py >= openY && py <= top)
                v = {0.15f, 0.15f, 0.17f, 1.0f, 0.0f, 0.4f};
            if (py >= bottom && py <= openY)
                v = {pane.r, pane.g, pane.b, 1.0f, 16.0f * o, 1.0f};
        }
        return v;
    };
    if (edgeVoxel(x, y, z, volSize, out))
        return out;
    if (x == 0)
        return window(pz, openness(time, 2.0f), {0.15f, 0.75f, 0.10f});
    if (x == last)
        return window(pz, openness(time, 6.0f), {0.10f, 0.15f, 0.75f});
    if (z == last)
        return window(px, openness(time, 10.0f), {0.75f, 0.10f, 0.15f});
    if (insideTurnedBox(px, py, pz, 0.5f, 0.13f, 0.5f, 0.12f, 0.12f, 0.12f, 0.7854f))
        return {0.9f, 0.9f, 0.88f, 1.0f, 0.0f, 0.5f};
    float d[3] = {std::fabs(px - 0.5f), std::fabs(py - 0.35f), std::fabs(pz - 0.5f)};
    if (d[0] < 0.09f && d[1] < 0.09f && d[2] < 0.09f) {
        float edge = 0.09f - 1.0f / volSize;
        int outer = (d[0] > edge) + (d[1] > edge) + (d[2] > edge);
        return outer >= 2 ? Voxel{0.2f, 0.2f, 0.2f, 1.0f, 0.0f, 0.5f} : Voxel{0.95f, 0.95f, 0.95f, 0.02f, 0.0f, 1.0f};
    }
    return Voxel{};
}
}

TEST_F(RoomFill, CornellLightSitsOnTheTopLayerAndTheBoxesAreTurned)
{
    cSceneCornell cornell;
    ASSERT_NE(prepareFill("fillCornell", volSize), 0u);
    cornell.enter();
    for (float light : {1.0f, 0.5f, 0.0f}) {
        cornell.lightIntensity = light;
        cornell.fill(volSize);
        std::string what = "light " + std::to_string(light);
        expectMatches([light](int x, int y, int z, float px, float py, float pz) {
            return cornellModel(x, y, z, px, py, pz, light);
        }, what.c_str(), "cornell_y20.png", 1, 20);
    }
    // Only the ceiling light emits, and only on the top layer.
    cornell.lightIntensity = 1.0f;
    cornell.fill(volSize);
    VolumeReadback v = readVolume();
    int emitting = 0, emittingBelowTop = 0;
    for (int z = 0; z < volSize; ++z)
        for (int y = 0; y < volSize; ++y)
            for (int x = 0; x < volSize; ++x)
                if (v.at(x, y, z).emissivity > 0.0f) {
                    ++emitting;
                    emittingBelowTop += y != last ? 1 : 0;
                }
    EXPECT_EQ(emittingBelowTop, 0);
    EXPECT_EQ(emitting, 52 * 52);  // centres 0.3..0.7: voxels 38 to 89 on each axis
    writeSlicePng(v, 1, last, "cornell_ceiling.png");
}

TEST_F(RoomFill, CathedralWindowFillsOnlyTheFourBackLayersWithDimmedLeadLines)
{
    cSceneCathedral cathedral;
    ASSERT_NE(prepareFill("fillCathedral", volSize), 0u);
    cathedral.enter();
    clock.now = 1.7;  // the fill's time is the scene time
    cathedral.fill(volSize);
    expectMatches([](int x, int y, int z, float px, float py, float pz) {
        return cathedralModel(x, y, z, px, py, pz, 1.7f);
    }, "cathedral at 1.7 s", "cathedral_z125.png", 2, 125);

    VolumeReadback v = readVolume();
    int windowVoxels = 0, leadVoxels = 0, emittingOutside = 0;
    for (int z = 0; z < volSize; ++z)
        for (int y = 4; y < volSize - 4; ++y)
            for (int x = 4; x < volSize - 4; ++x) {
                Voxel got = v.at(x, y, z);
                if (got.emissivity <= 0.0f)
                    continue;
                if (z < volSize - 4) {
                    ++emittingOutside;
                    continue;
                }
                ++windowVoxels;
                // Lead emits 0.15 x (8 + 4 pattern), at most 1.8; clear glass at least 8.
                if (got.emissivity < 2.0f) {
                    ++leadVoxels;
                    EXPECT_GE(got.emissivity, 0.15f * 8.0f - 0.01f);
                }
            }
    EXPECT_EQ(emittingOutside, 0);
    EXPECT_GT(windowVoxels, 4 * 1500);
    EXPECT_GT(leadVoxels, windowVoxels / 10);
    writeSlicePng(v, 1, 10, "cathedral_y10.png");

    // Without wall thickness no voxel lies behind 1.0: the wall and its window are gone.
    renderSettings.wallThickness = 0.0f;
    uploadConstants();
    cathedral.fill(volSize);
    expectMatches([](int x, int y, int z, float px, float py, float pz) {
        return cathedralModel(x, y, z, px, py, pz, 1.7f);
    }, "cathedral without wall", "cathedral_nowall_z125.png", 2, 125);
}

TEST_F(RoomFill, ShuttersRollUpOneAfterAnotherOntoGlowingPanes)
{
    cSceneShutters shutters;
    ASSERT_NE(prepareFill("fillShutters", volSize), 0u);
    shutters.enter();
    for (double time : {1.0, 4.0, 8.0, 15.0}) {
        clock.now = time;
        shutters.fill(volSize);
        std::string what = "shutters at " + std::to_string(time) + " s";
        std::string picture = "shutters_x0_" + std::to_string((int)time) + "s.png";
        expectMatches([time](int x, int y, int z, float px, float py, float pz) {
            return shuttersModel(x, y, z, px, py, pz, (float)time);
        }, what.c_str(), picture.c_str(), 0, 0);
    }

    // Before two seconds all three windows are shut: nothing on the walls emits.
    clock.now = 1.0;
    shutters.fill(volSize);
    VolumeReadback v = readVolume();
    int emitting = 0, shutterVoxels = 0;
    for (int z = 0; z < volSize; ++z)
        for (int y = 0; y < volSize; ++y)
            for (int x = 0; x < volSize; ++x) {
                Voxel got = v.at(x, y, z);
                emitting += got.emissivity > 0.0f ? 1 : 0;
                shutterVoxels += std::fabs(got.roughness - 0.4f) < 0.01f ? 1 : 0;
            }
    EXPECT_EQ(emitting, 0);
    // Each shutter covers rows 48..118 (centres 0.378..0.93) by columns 26..101 (centres 0.2..0.8).
    EXPECT_EQ(shutterVoxels, 3 * 71 * 76);
}
