// tests/gl/roomFillTests.cpp
// The Cornell box, cathedral and shutters fills read back from a 128^3 volume against CPU models of each room.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "gpu/constants.h"
#include "gpu/renderSettings.h"
#include "scenes/sceneCathedral.h"
#include "scenes/sceneCornell.h"
#include "scenes/sceneShutters.h"
#include "sequencer/demoClock.h"
#include "volumeTestSupport.h"

namespace {
constexpr int volSize = 128, last = volSize - 1;

bool insideTurnedBox(float px, float py, float pz, float cx, float cy, float cz, float h, float hy, float yawDeg)
{
    float yaw = yawDeg * 3.14159265f / 180.0f, dx = px - cx, dz = pz - cz;
    float rx = dx * std::cos(yaw) + dz * std::sin(yaw), rz = -dx * std::sin(yaw) + dz * std::cos(yaw);
    return std::fabs(rx) < h && std::fabs(py - cy) < hy && std::fabs(rz) < h;
}
}

TEST(RoomFill, CornellLightSitsOnTheTopLayerOnlyAndTheBoxesAreTurned)
{
    cSceneCornell cornell;
    cornell.fillProgram = prepareFill("fillCornell", volSize);
    ASSERT_NE(cornell.fillProgram, 0u);
    cornell.enter();
    for (float light : {1.0f, 0.5f, 0.0f}) {
        cornell.lightIntensity = light;
        cornell.fill(volSize);
        auto model = [light](int, int y, int, float px, float py, float pz) {
            if (insideTurnedBox(px, py, pz, 0.65f, 0.275f, 0.35f, 0.13f, 0.275f, 17.0f) ||
                insideTurnedBox(px, py, pz, 0.35f, 0.14f, 0.65f, 0.13f, 0.14f, -15.0f))
                return Voxel{0.73f, 0.73f, 0.73f, 1.0f};
            if (y != last)
                return Voxel{};
            if (px >= 0.3f && px <= 0.7f && pz >= 0.3f && pz <= 0.7f)
                return Voxel{light, light, 0.95f * light, 1.0f, 2.0f * light};
            return Voxel{0.76f, 0.76f, 0.76f, 1.0f};
        };
        expectSlicesMatch(readVolume(), model, {{1, last}, {1, 20}, {0, 64}}, "cornell" + std::to_string(light));
    }
}

TEST(RoomFill, CathedralWindowFillsOnlyTheFourBackLayersWithLeadLinesAtFifteenPercent)
{
    cSceneCathedral cathedral;
    cathedral.fillProgram = prepareFill("fillCathedral", volSize);
    ASSERT_NE(cathedral.fillProgram, 0u);
    cathedral.enter();
    setDemoClock(1.7);  // the fill's time is the scene time
    auto model = [](int, int, int, float px, float py, float pz) {
        if (pz > 1.0f - renderSettings.wallThickness) {
            float vx = (px - 0.5f) * 2.5f, vy = (py - 0.35f) * 2.0f;
            if (vy <= -0.6f || vy >= 1.0f || std::fabs(vx) >= 0.8f - 0.5f * vy * vy)
                return Voxel{0.25f, 0.22f, 0.20f, 1.0f};
            float angle = std::atan2(vy, vx), rad = std::sqrt(vx * vx + vy * vy);
            float hue = 0.5f * angle + 2.0f * rad + 1.7f;
            float pattern = 0.25f * (2.0f + std::sin(8.0f * rad) + std::sin(3.0f * angle));
            float grid = std::max(std::fabs(std::sin(12.0f * vx)), std::fabs(std::sin(10.0f * vy)));
            float lead = grid > 0.85f ? 0.15f : 1.0f;
            auto glass = [&](float shift) { return lead * (0.3f + 0.7f * std::max(0.0f, std::cos(hue + shift))); };
            return Voxel{glass(0.0f), glass(2.094f), glass(4.189f), 1.0f, lead * (8.0f + 4.0f * pattern)};
        }
        // Only the pillars stand in the nave above the glass plates' frame (y > 0.32).
        for (float cx : {0.25f, 0.75f})
            if ((px - cx) * (px - cx) + (pz - 0.5f) * (pz - 0.5f) < 0.04f * 0.04f)
                return Voxel{0.30f, 0.27f, 0.24f, 1.0f};
        return Voxel{};
    };
    cathedral.fill(volSize);
    VolumeReadback v = readVolume();
    expectSlicesMatch(v, model, {{2, volSize - 4}, {2, volSize - 5}, {1, 100}}, "cathedral");
    int lead = 0;  // lead glows 0.15 x (8 + 4 pattern), at most 1.8; clear glass at least 8
    for (int y = 4; y < volSize - 4; ++y)
        for (int x = 4; x < volSize - 4; ++x)
            lead += v.at(x, y, volSize - 4).emissivity > 1.0f && v.at(x, y, volSize - 4).emissivity < 2.0f;
    EXPECT_GT(lead, 200);

    // Without wall thickness no voxel lies behind 1.0: the wall and its window are gone.
    renderSettings.wallThickness = 0.0f;
    uploadConstants();
    cathedral.fill(volSize);
    expectSlicesMatch(readVolume(), model, {{2, last}, {1, 100}}, "cathedral_nowall");
}

TEST(RoomFill, ShuttersRollUpOneAfterAnotherOntoGlowingPanes)
{
    cSceneShutters shutters;
    shutters.fillProgram = prepareFill("fillShutters", volSize);
    ASSERT_NE(shutters.fillProgram, 0u);
    shutters.enter();
    // At 4 s the first shutter is half open and the others shut; at 8 s the first is open; at 15 s all are.
    for (float time : {4.0f, 8.0f, 15.0f}) {
        auto model = [time](int x, int, int, float px, float py, float pz) {
            const float top = 0.93f, bottom = 0.93f - 0.6f * 0.92f;
            auto window = [&](float along, float start, Voxel pane) {
                float o = std::clamp((time - start) / 4.0f, 0.0f, 1.0f);
                o = o * o * (3.0f - 2.0f * o);
                pane.emissivity = 16.0f * o;
                if (along < 0.2f || along > 0.8f || py < bottom || py > top)
                    return Voxel{};
                return py < bottom + o * (top - bottom) ? pane : Voxel{0.15f, 0.15f, 0.17f, 1.0f, 0.0f, 0.4f};
            };
            if (x == 0)
                return window(pz, 2.0f, {0.15f, 0.75f, 0.10f, 1.0f});
            if (x == last)
                return window(pz, 6.0f, {0.10f, 0.15f, 0.75f, 1.0f});
            return window(px, 10.0f, {0.75f, 0.10f, 0.15f, 1.0f});  // z == last, the only other slice checked
        };
        setDemoClock(time);
        shutters.fill(volSize);
        expectSlicesMatch(readVolume(), model, {{0, 0}, {0, last}, {2, last}}, "shutters" + std::to_string(time));
    }
}
