// tests/gl/sceneFillTests.cpp
// Each scene's fill read back from a real volume and checked by what must hold of it: where things may and may not
// be, symmetries, ramps, the two sides of a threshold and a few values worked out from the formulas. The golden
// pictures cover the rest of the look.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <set>
#include <utility>
#include <vector>

#include "gpu/constants.h"
#include "gpu/renderSettings.h"
#include "scenes/sceneAmigaBall.h"
#include "scenes/sceneCloudLightning.h"
#include "scenes/sceneFog.h"
#include "scenes/sceneGearLogo.h"
#include "scenes/sceneLuminarcs2.h"
#include "scenes/sceneMetaballs2.h"
#include "volumeTestSupport.h"

namespace {
struct VoxelAt {
    int x, y, z;
    Voxel v;
};

// Every voxel of the volume that passes the test, outside the wireframe's corner edges.
std::vector<VoxelAt> voxelsWhere(const VolumeReadback& volume, const std::function<bool(const Voxel&)>& test)
{
    const int n = volume.size;
    std::vector<VoxelAt> found;
    for (int z = 0; z < n; ++z)
        for (int y = 0; y < n; ++y)
            for (int x = 0; x < n; ++x) {
                bool edge = (x < 4 || x >= n - 4) + (y < 4 || y >= n - 4) + (z < 4 || z >= n - 4) >= 2;
                Voxel v = volume.at(x, y, z);
                if (!edge && test(v))
                    found.push_back({x, y, z, v});
            }
    return found;
}

bool glows(const Voxel& v) { return v.emissivity > 0.0f; }
float centre(int i, int n) { return (i + 0.5f) / n; }
float distance(float ax, float ay, float az, float bx, float by, float bz)
{
    return std::sqrt((ax - bx) * (ax - bx) + (ay - by) * (ay - by) + (az - bz) * (az - bz));
}
}

TEST(MetaballsFill, TheFirstBallIsASharpSphereOfTheThresholdsRadiusThatGlowsWithItsGrowth)
{
    const int n = 64;
    cSceneMetaballs2 metaballs{testShow()};
    ASSERT_TRUE(prepareScene(metaballs, "fillMetaballs2", n));
    // Alone and still at the centre until 3.3 s: exp(-r^2 100 / grow^2) passes 0.2 inside r = grow sqrt(ln 5 / 100).
    for (auto [time, glow] : {std::pair{1.5f, 0.8f * 0.81f * 2 * 0.25f}, {3.0f, 0.8f}}) {
        testShow().demoClock = time;
        runSceneFill(metaballs, n);
        VolumeReadback v = readVolume();
        const float radius = time / 3.0f * std::sqrt(std::log(5.0f) / 100.0f), margin = 0.1f / n;
        for (const VoxelAt& b : voxelsWhere(v, [](const Voxel&) { return true; })) {
            float d = distance(centre(b.x, n), centre(b.y, n), centre(b.z, n), 0.5f, 0.5f, 0.5f);
            EXPECT_TRUE(b.v.a == 0.0f || b.v.a == 1.0f) << "a blob has no soft edge";
            if (d < radius - margin || d > radius + margin) {
                EXPECT_EQ(b.v.a, d < radius ? 1.0f : 0.0f) << time << " s at " << d << " from the centre";
            }
        }
        Voxel c = v.at(n / 2, n / 2, n / 2);
        EXPECT_TRUE(std::fabs(c.r - 0.9f) < 1e-3f && std::fabs(c.g - 0.55f) < 1e-3f && c.b < 0.03f);  // orange
        EXPECT_NEAR(c.emissivity, glow, 2e-3f) << time;
    }
}

TEST(FogFill, FogThinsOutTowardsTheWallsUnderADensityCapAndOnlyTheFifthRigShowsTheCrescentMoon)
{
    const int n = 64;
    cSceneFog fog{testShow()};
    ASSERT_TRUE(prepareScene(fog, "fillFog", n));
    testShow().demoClock = 1.0;
    runSceneFill(fog, n);
    VolumeReadback v = readVolume();
    EXPECT_TRUE(voxelsWhere(v, glows).empty()) << "no moon under the first rig";
    int clear = 0, dense = 0;
    for (const VoxelAt& f : voxelsWhere(v, [](const Voxel& v) { return v.a < 1.0f; })) {
        float x = centre(f.x, n), y = centre(f.y, n), z = centre(f.z, n);
        // Within 0.2 of a side wall, and within 0.4 of the camera side, the cap falls linearly to zero.
        float room = std::min({x / 0.2f, (1 - x) / 0.2f, y / 0.2f, (1 - y) / 0.2f, (1 - z) / 0.2f, z / 0.4f, 1.0f});
        EXPECT_LE(f.v.a, fog.fogMaxDensityP * std::max(room, 0.0f) + 2e-4f) << f.x << " " << f.y << " " << f.z;
        clear += f.v.a == 0.0f;
        dense += f.v.a > 0.5f * fog.fogMaxDensityP;
    }
    EXPECT_TRUE(clear > 1000 && dense > 100) << clear << " clear, " << dense << " dense";
    fog.fogThresholdP = 0.95f;  // above every noise value: the room is clear
    runSceneFill(fog, n);
    EXPECT_TRUE(voxelsWhere(readVolume(), [](const Voxel& v) { return v.a > 0.0f && v.a < 1.0f; }).empty());
    fog.fogThresholdP = cSceneFog(testShow()).fogThresholdP;

    testShow().demoClock = 17.0;
    runSceneFill(fog, n);
    v = readVolume();
    auto moonAt = [&](float x, float y) { return v.at((int)(x * n), (int)(y * n), n - 1).emissivity == 8.0f; };
    EXPECT_TRUE(moonAt(0.2f, 0.55f) && moonAt(0.5f, 0.2f)) << "the lit limb, left and below";
    EXPECT_TRUE(!moonAt(0.5f, 0.55f) && !moonAt(0.65f, 0.61f) && !moonAt(0.8f, 0.8f)) << "the hollow faces up right";
    for (const VoxelAt& m : voxelsWhere(v, glows))
        EXPECT_GT(centre(m.z, n), 1.0f - testShow().renderSettings.wallThickness);
}

TEST(CloudFill, EveryStrikeFallsFromTopToFloorAsAThinJaggedBoltOfItsOwnAndTheCloudIsPalerAbove)
{
    const int n = 128;
    cSceneCloudLightning cloud{testShow()};
    ASSERT_TRUE(prepareScene(cloud, "fillCloudLightning", 32));
    testShow().demoClock = 2.0;
    cloud.strikeTime = -999.0;  // no strike: only the cloud, whose red rises from 0.25 at the floor to 0.4 on top
    runSceneFill(cloud, 32);
    VolumeReadback v = readVolume();
    EXPECT_TRUE(voxelsWhere(v, glows).empty());
    for (const VoxelAt& c : voxelsWhere(v, [](const Voxel& v) { return v.a < 1.0f; })) {
        EXPECT_NEAR(c.v.r, 0.25f + 0.15f * centre(c.y, 32), 1e-3f);
        EXPECT_TRUE(c.v.b >= 0.349f && c.v.b <= 0.551f && c.v.a <= cloud.fogMaxDensityP + 1e-4f);
    }

    // The glow peaks at 16 at the strike and fades with the square of the time left of its 0.4 s.
    for (auto [sinceSec, peak] : {std::pair{0.0, 16.0f}, {0.2, 4.0f}, {0.4, 0.0f}}) {
        cloud.strikeTime = 2.0 - sinceSec;
        runSceneFill(cloud, 32);
        float brightest = 0.0f;
        for (const VoxelAt& g : voxelsWhere(readVolume(), glows))
            brightest = std::max(brightest, g.v.emissivity);
        EXPECT_TRUE(brightest <= peak * 1.001f && brightest >= peak * 0.9f) << sinceSec << ": " << brightest;
    }

    // Strike k's bolt runs from the top at 0.95 to the floor at 0.05, jagged, and its halo peaks on it in every
    // layer between; its thin core (blue-white: red over 0.55) keeps to that peak; the strike count seeds where it
    // falls.
    ASSERT_TRUE(prepareScene(cloud, "fillCloudLightning", n));
    testShow().demoClock = 2.0;
    std::vector<std::array<float, 3>> tops;
    for (int strike : {3, 4}) {
        cloud.strikeCount = strike;
        cloud.strikeTime = 2.0;
        runSceneFill(cloud, n);
        v = readVolume();
        std::vector<std::array<float, 3>> path;  // each layer's brightest voxel, from the floor up
        int cores = 0;
        for (int y = 0; y < n; ++y) {
            std::array<float, 3> peak = {0.0f, (float)y, 0.0f};
            float brightest = 0.0f;
            for (int k = 0; k < n * n; ++k)
                if (v.at(k % n, y, k / n).emissivity > brightest) {
                    brightest = v.at(k % n, y, k / n).emissivity;
                    peak = {(float)(k % n), (float)y, (float)(k / n)};
                }
            for (int k = 0; k < n * n; ++k)
                if (v.at(k % n, y, k / n).r > 0.55f) {
                    ++cores;
                    EXPECT_LT(distance(k % n, 0, k / n, peak[0], 0, peak[2]), 4.5f) << strike << " layer " << y;
                }
            if (y > 0.05f * n + 1 && y < 0.95f * n - 1) {
                EXPECT_GT(brightest, 13.0f) << "strike " << strike << " layer " << y;
                path.push_back(peak);
            }
        }
        EXPECT_GT(cores, 20) << "strike " << strike;
        // Jagged: some layer's peak lies well off the straight line between the two ends.
        const std::array<float, 3>&low = path.front(), &high = path.back();
        float farthest = 0.0f;
        for (const auto& p : path) {
            float t = (p[1] - low[1]) / (high[1] - low[1]);
            farthest = std::max(farthest, distance(p[0], 0, p[2], low[0] + t * (high[0] - low[0]), 0,
                                                   low[2] + t * (high[2] - low[2])));
        }
        EXPECT_GT(farthest, 3.0f) << "strike " << strike;
        tops.push_back(high);
    }
    EXPECT_GT(distance(tops[0][0], 0, tops[0][2], tops[1][0], 0, tops[1][2]), 10.0f) << "two strikes, one place";
}

TEST(AmigaFill, GridsLineTheBackWallAndTheFloorsBackAndEachPatchSitsOnTheTiltedBallWhereItsBandAndSectorSay)
{
    const int n = 128;
    cSceneAmigaBall amiga{testShow()};
    ASSERT_TRUE(prepareScene(amiga, "fillAmigaBall", n));
    runSceneFill(amiga, n);
    VolumeReadback v = readVolume();
    auto violet = [&](int x, int y, int z) { return v.at(x, y, z).b > v.at(x, y, z).g + 0.1f; };
    // Eight lines each way on the back wall, placed symmetrically; on the floor only the back two and a half cells.
    int columns = 0, rows = 0;
    for (int i = 8; i < n - 8; ++i) {
        columns += violet(i, 64, n - 1) && !violet(i - 1, 64, n - 1);
        rows += violet(64, i, n - 1) && !violet(64, i - 1, n - 1);
        EXPECT_EQ(violet(i, 64, n - 1), violet(n - 1 - i, 64, n - 1)) << i;
        EXPECT_EQ(violet(64, i, n - 1), violet(64, n - 1 - i, n - 1)) << i;
    }
    EXPECT_TRUE(columns == 6 && rows == 6) << columns << " " << rows << " inside the wireframe margin";
    int floorFront = 0, floorBack = 0;
    for (int z = 8; z < n - 8; ++z)
        for (int x = 8; x < n - 8; ++x)
            (z < 81 ? floorFront : floorBack) += violet(x, 0, z);
    EXPECT_TRUE(floorFront == 0 && floorBack > 0) << floorFront << " " << floorBack;

    // A patch's glowing voxels centre on its band and sector, counted in the frame of the ball tilted by 0.4 rad
    // about z, longitude from +x towards +z; spinning by two sectors brings patch s where patch s + 2 was.
    auto patch = [&](int band, int sector, float rotation) {
        amiga.flashLatBand = band;
        amiga.flashLonSector = sector;
        amiga.flashEmit = 40.0f;
        amiga.ballRotation = rotation;
        runSceneFill(amiga, n);
        std::set<std::array<int, 3>> places;
        for (const VoxelAt& l : voxelsWhere(readVolume(), glows)) {
            EXPECT_TRUE(std::fabs(l.v.r - 0.9f) < 1e-3f && std::fabs(l.v.emissivity - 40) < 0.05f);
            places.insert({l.x, l.y, l.z});
        }
        return places;
    };
    for (auto [band, sector] : {std::pair{1, 3}, {6, 8}}) {
        std::set<std::array<int, 3>> places = patch(band, sector, 0.0f);
        ASSERT_GT(places.size(), 20u) << band << " " << sector;
        float sum[3] = {0, 0, 0};
        for (const auto& p : places)
            for (int a = 0; a < 3; ++a)
                sum[a] += centre(p[a], n) - 0.5f;
        const float lat = (band + 0.5f) * 3.14159265f / 8, lon = (sector + 0.5f) * 3.14159265f / 6, tilt = 0.4f;
        const float rx = std::sin(lat) * std::cos(lon), ry = std::cos(lat), rz = std::sin(lat) * std::sin(lon);
        const float want[3] = {rx * std::cos(tilt) + ry * std::sin(tilt), -rx * std::sin(tilt) + ry * std::cos(tilt), rz};
        float length = std::sqrt(sum[0] * sum[0] + sum[1] * sum[1] + sum[2] * sum[2]);
        float cosAngle = (sum[0] * want[0] + sum[1] * want[1] + sum[2] * want[2]) / length;
        EXPECT_GT(cosAngle, std::cos(0.15f)) << "patch " << band << " " << sector;
        std::set<std::array<int, 3>> spun = patch(band, sector, 2 * 3.14159265f / 6);
        std::set<std::array<int, 3>> there = patch(band, (sector + 2) % 12, 0.0f);
        std::vector<std::array<int, 3>> moved;
        std::set_symmetric_difference(spun.begin(), spun.end(), there.begin(), there.end(), std::back_inserter(moved));
        EXPECT_LT(moved.size(), there.size() / 10) << "patch " << band << " " << sector << " spun by two sectors";
    }
    EXPECT_TRUE(takeGlErrors().empty());
}

TEST(NameFill, TubesStutterIgniteInTheirOwnColoursAndStandInAFaintHaze)
{
    const int n = 64;
    cSceneLuminarcs2 scene{testShow()};
    ASSERT_TRUE(prepareScene(scene, "fillLuminarcs2", n));
    // The glass of letter i in a fill at the given time; it emits 30 x its brightness. The letters of LUMINARCS
    // stand four over five between the default walls.
    VolumeReadback v;
    auto fillAt = [&](float time) {
        testShow().demoClock = time;
        runSceneFill(scene, n);
        v = readVolume();
    };
    auto glassOf = [&](int i) {
        float left = i < 4 ? 0.148f + i * 0.176f : 0.06f + (i - 4) * 0.176f, bottom = i < 4 ? 0.5198f : 0.2162f;
        for (int y = (int)(bottom * n); y < (int)((bottom + 0.264f) * n); ++y)
            for (int x = (int)(left * n) + 1; x < (int)((left + 0.176f) * n); ++x)
                if (v.at(x, y, n / 2).a > 0.2f && v.at(x, y, n / 2).a < 0.5f)
                    return v.at(x, y, n / 2);
        ADD_FAILURE() << "no glass in letter " << i;
        return Voxel{};
    };
    auto glass = [&](float time) {
        fillAt(time);
        return glassOf(0).emissivity / 30;
    };
    scene.s2Fog = false;

    // Letter 0 stutters, dark and lit in turn, for at least 0.8 s.
    int darkFrames = 0, litFrames = 0;
    for (float time = 0.02f; time < 0.8f; time += 0.05f) {
        float lit = glass(time);
        EXPECT_LE(lit, 1.0f + 1e-3f);
        darkFrames += lit < 0.01f;
        litFrames += lit > 0.3f;
    }
    EXPECT_TRUE(darkFrames >= 3 && litFrames >= 3) << darkFrames << " dark, " << litFrames << " lit";
    // Then it false-starts, climbing to 0.9 (1 - e^-4) and no further, and blacks out to nothing or a faint 0.15
    // before the ramp that never goes dark again.
    std::vector<float> shown;
    for (float time = 0.8f; time < 2.5f; time += 0.04f)
        shown.push_back(glass(time));
    auto blackedOut = [](float b) { return std::fabs(b) < 1e-3f || std::fabs(b - 0.15f) < 1e-3f; };
    int end = (int)shown.size() - 1;
    while (end > 0 && !blackedOut(shown[end]))
        --end;
    int start = end;
    while (start > 0 && blackedOut(shown[start - 1]))
        --start;
    EXPECT_TRUE(start > 0 && end > start) << "a blackout from " << 0.8 + 0.04 * start << " s to " << 0.8 + 0.04 * end;
    float falseStart = *std::max_element(shown.begin() + std::max(start - 20, 0), shown.begin() + start);
    EXPECT_TRUE(falseStart > 0.85f && falseStart < 0.9f * (1 - std::exp(-4.0f)) + 1e-3f) << falseStart;

    // Settled, every tube shows its own colour at full strength: a brightest channel of 1, no two alike.
    std::vector<std::array<float, 3>> colours;
    fillAt(12.0f);
    for (int i = 0; i < 9; ++i) {
        Voxel lit = glassOf(i);
        EXPECT_NEAR(std::max({lit.r, lit.g, lit.b}), 1.0f, 2e-3f) << i;
        EXPECT_NEAR(lit.emissivity, 30.0f, 0.05f) << i;
        colours.push_back({lit.r, lit.g, lit.b});
    }
    EXPECT_EQ((std::set<std::array<float, 3>>(colours.begin(), colours.end()).size()), 9u);

    // The haze: grey-blue, between 0.0175 and 0.0325 thick, never even; none without it.
    scene.s2Fog = true;
    testShow().demoClock = 12.0;
    runSceneFill(scene, n);
    float thinnest = 1.0f, thickest = 0.0f;
    for (const VoxelAt& h : voxelsWhere(readVolume(), [](const Voxel& v) { return v.a < 0.2f; })) {
        EXPECT_TRUE(h.v.r == h.v.g && h.v.b > h.v.r && h.v.emissivity == 0.0f);
        thinnest = std::min(thinnest, h.v.a);
        thickest = std::max(thickest, h.v.a);
    }
    EXPECT_TRUE(thinnest >= 0.0175f - 1e-4f && thickest <= 0.0325f + 1e-4f && thickest > thinnest + 0.003f)
        << thinnest << " " << thickest;
}

TEST(LogoFill, TheEmblemTurnsAboutTheVerticalAxisWithAWindowInItsHeart)
{
    const int n = 64;
    cSceneGearLogo logo{testShow()};
    ASSERT_TRUE(prepareScene(logo, "fillGearLogo", n));
    logo.logoZ = 0.5f;
    logo.logoEmissivity = 3.0f;
    // Turned a quarter, the emblem is the unturned one carried from the x-y plane into the z-y plane.
    auto emblem = [&](float angle) {
        logo.logoAngle = angle;
        testShow().demoClock = 5.0;  // before the caption
        runSceneFill(logo, n);
        std::set<std::array<int, 3>> ink;
        for (const VoxelAt& e : voxelsWhere(readVolume(), [](const Voxel& v) { return v.a > 0.5f; }))
            ink.insert({e.x, e.y, e.z});
        return ink;
    };
    std::set<std::array<int, 3>> flat = emblem(0.0f), turned = emblem(1.5707964f);
    ASSERT_GT(flat.size(), 500u);
    int carried = 0;
    for (const auto& p : flat)
        carried += turned.count({p[2], p[1], n - 1 - p[0]});
    EXPECT_GT(carried, (int)flat.size() * 9 / 10) << "of " << flat.size();
    EXPECT_FALSE(flat.count({n / 2, n / 2, n / 2})) << "the window in the star's heart";
}
