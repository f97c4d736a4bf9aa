// tests/gl/sceneFillTests.cpp
// Each scene's fill read back from a real volume against a CPU model of what it should write.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "cpu/sourceImages.h"
#include "gpu/constants.h"
#include "gpu/renderSettings.h"
#include "scenes/sceneAmigaBall.h"
#include "scenes/sceneCathedral.h"
#include "scenes/sceneCloudLightning.h"
#include "scenes/sceneCornell.h"
#include "scenes/sceneGearLogo.h"
#include "scenes/sceneIntro.h"
#include "scenes/sceneLuminarcs2.h"
#include "scenes/sceneShutters.h"
#include "sequencer/demoClock.h"
#include "volumeTestSupport.h"

namespace {
constexpr int volSize = 128, last = volSize - 1;
const GlyphImage font = loadGlyphSource();

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
    ASSERT_TRUE(prepareScene(cornell, "fillCornell", volSize));
    for (float light : {1.0f, 0.5f, 0.0f}) {
        cornell.lightIntensity = light;
        cornell.fill(volSize);
        auto model = [light](int, int y, int, float px, float py, float pz) {
            if (insideTurnedBox(px, py, pz, 0.65f, 0.275f, 0.35f, 0.13f, 0.275f, 17.0f) ||
                insideTurnedBox(px, py, pz, 0.35f, 0.14f, 0.65f, 0.13f, 0.14f, -15.0f))
                return Voxel{0.73f, 0.73f, 0.73f, 1.0f};
            bool lamp = px >= 0.3f && px <= 0.7f && pz >= 0.3f && pz <= 0.7f;
            return y != last ? Voxel{}
                   : lamp    ? Voxel{light, light, 0.95f * light, 1.0f, 2.0f * light}
                             : Voxel{0.76f, 0.76f, 0.76f, 1.0f};
        };
        expectSlicesMatch(readVolume(), model, {{1, last}, {1, 20}, {0, 64}}, "cornell" + std::to_string(light));
    }
}

TEST(RoomFill, CathedralWindowFillsOnlyTheFourBackLayersWithLeadLinesAtFifteenPercent)
{
    cSceneCathedral cathedral;
    ASSERT_TRUE(prepareScene(cathedral, "fillCathedral", volSize));
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
    expectSlicesMatch(readVolume(), model, {{2, volSize - 4}, {2, volSize - 5}, {1, 100}}, "cathedral");
    // Without wall thickness no voxel lies behind 1.0: the wall and its window are gone.
    renderSettings.wallThickness = 0.0f;
    uploadConstants();
    cathedral.fill(volSize);
    expectSlicesMatch(readVolume(), model, {{2, last}, {1, 100}}, "cathedral_nowall");
}

TEST(RoomFill, ShuttersRollUpOneAfterAnotherOntoGlowingPanes)
{
    cSceneShutters shutters;
    ASSERT_TRUE(prepareScene(shutters, "fillShutters", volSize));
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

TEST(IntroFill, EachCaptionDrawsItsRightAlignedLinesInTheMiddleSlabAndOtherSetsNothing)
{
    ASSERT_TRUE(font.loaded);
    cSceneIntro intro;
    ASSERT_TRUE(prepareScene(intro, "fillIntro", volSize));
    // Twelve characters fill the width between the 0.03 margins; the letters are 0.12 deep from z = 0.44.
    const float charW = 0.94f / 12.0f, lineH = charW * 1.5f, gap = 0.15f * lineH;
    const float second = 0.03f + lineH + gap, third = second + lineH + 3 * gap;
    // Each set's ink and lines, a line's text and bottom.
    const struct { int set; Voxel ink; std::vector<std::pair<std::string, float>> lines; } captions[] = {
        {0, {0.2f, 0.4f, 1.0f, 1.0f}, {{"LUMINARCS", second}, {"PRESENTS", 0.03f}}},
        {1, {1.0f, 0.6f, 0.1f, 1.0f}, {{"GRIDSOMNIA", third}, {"QUARTZINE", second}, {"HOLLOWCASTER", 0.03f}}},
        {2, {0.2f, 0.9f, 0.3f, 1.0f},
         {{"CODE", third + lineH + gap}, {"VORTEN", third}, {"MUSIC", second}, {"QUELBY", 0.03f}}},
        {-1, {}, {}}, {3, {}, {}},
    };
    for (const auto& c : captions) {
        intro.textSet = c.set;
        intro.fill(volSize);
        auto model = [&](int, int, int, float px, float py, float pz) {
            for (const auto& [text, bottom] : c.lines) {
                float w = text.size() * charW, dx = px - (0.97f - w), dy = py - bottom, dz = pz - 0.44f;
                if (dx >= 0 && dx <= w && dy >= 0 && dy <= lineH && dz >= 0 && dz <= 0.12f &&
                    font.lineSample(text, dx / w, 1.0f - dy / lineH))
                    return c.ink;
            }
            return Voxel{};
        };
        expectSlicesMatch(readVolume(), model, {{2, 64}, {0, 100}, {0, 118}}, "intro_set" + std::to_string(c.set));
    }
}

TEST(CloudAmigaFill, TheBoltGlowsSixteenAtTheStrikeAndFadesQuadraticallyAndTheBallCentreTakesTheEquatorPatch)
{
    cSceneCloudLightning cloud;
    ASSERT_TRUE(prepareScene(cloud, "fillCloudLightning", 32));
    for (auto [strikeTime, peak] : {std::pair{-999.0, 0.0f}, {0.0, 16.0f}, {-0.2, 4.0f}, {-0.4, 0.0f}}) {
        cloud.strikeTime = strikeTime;  // -999: no strike yet
        cloud.fill(32);
        std::vector<float> emissRough = readVolume().emissRough;
        float brightest = 0.0f;
        for (size_t i = 0; i < emissRough.size(); i += 2)
            brightest = std::max(brightest, emissRough[i]);
        // The voxel nearest the bolt's line lies within half a voxel diagonal of it.
        EXPECT_TRUE(brightest <= peak * 1.001f && brightest >= peak * 0.9f) << strikeTime << ": " << brightest;
    }

    // Centred and not spinning, the ball's middle voxel (a 33^3 volume puts its centre there) takes patch (4, 0).
    cSceneAmigaBall amiga;
    ASSERT_TRUE(prepareScene(amiga, "fillAmigaBall", 33));
    amiga.flashLatBand = 4;
    amiga.flashLonSector = 0;
    amiga.flashEmit = 40.0f;
    amiga.fill(33);
    Voxel c = readVolume().at(16, 16, 16);
    EXPECT_TRUE(std::fabs(c.r - 0.9f) < 1e-3f && std::fabs(c.g - 0.08f) < 1e-3f && std::fabs(c.emissivity - 40) < 0.05f)
        << c.r << " " << c.g << " " << c.emissivity;
    EXPECT_TRUE(takeGlErrors().empty());
}

TEST(NameLogoFill, EachTubeFalseStartsBlacksOutAndIgnitesOnItsOwnHashedSchedule)
{
    const int n = 64;
    cSceneLuminarcs2 scene;
    ASSERT_TRUE(prepareScene(scene, "fillLuminarcs2", n));
    scene.s2Fog = false;
    // The glass of letter i (delayed by delay) when its own clock reads lt; it emits 30 x its brightness. The
    // letters of LUMINARCS stand four over five between the default walls.
    auto glass = [&](int i, float delay, float lt) {
        setDemoClock(delay + lt);
        scene.fill(n);
        VolumeReadback v = readVolume();
        float left = i < 4 ? 0.148f + i * 0.176f : 0.06f + (i - 4) * 0.176f, bottom = i < 4 ? 0.5198f : 0.2162f;
        for (int y = (int)(bottom * n); y < (int)((bottom + 0.264f) * n); ++y)
            for (int x = (int)(left * n) + 1; x < (int)((left + 0.176f) * n); ++x)
                if (v.at(x, y, n / 2).a > 0.2f)
                    return v.at(x, y, n / 2);
        ADD_FAILURE() << "no glass in letter " << i;
        return Voxel{};
    };
    Voxel dark = glass(8, 2.0f, -0.5f);
    EXPECT_TRUE(dark.r == 0 && dark.emissivity == 0 && std::fabs(dark.a - 0.3f) < 1e-3f && dark.roughness < 0.06f);
    EXPECT_NEAR(glass(3, 4.8f, 1.0f).emissivity / 30, 1 - std::exp(-3.0f), 2e-3f);  // no flicker: a plain ramp
    for (auto [i, delay] : {std::pair{0, 0.0f}, std::pair{8, 2.0f}}) {
        uint32_t seed = i + 1;
        float e1 = 0.8f + 0.6f * hashRef(seed * 7919u), e2 = e1 + 0.4f + 0.4f * hashRef(seed * 6271u);
        float e3 = e2 + 0.1f + 0.15f * hashRef(seed * 3391u);
        SCOPED_TRACE(testing::Message() << "letter " << i << " stages end at " << e1 << " " << e2 << " " << e3);
        // The false start peaks 40 % in and has nearly died by 70 %; the blackout is off or a faint 0.15.
        EXPECT_NEAR(glass(i, delay, e1 + 0.4f * (e2 - e1)).emissivity / 30, 0.9f * (1 - std::exp(-4.0f)), 2e-3f);
        EXPECT_NEAR(glass(i, delay, e1 + 0.7f * (e2 - e1)).emissivity / 30, 0.9f * std::exp(-2.4f), 2e-3f);
        float blackout = glass(i, delay, 0.5f * (e2 + e3)).emissivity / 30;
        EXPECT_TRUE(std::fabs(blackout) < 1e-3f || std::fabs(blackout - 0.15f) < 1e-3f) << blackout;
        // Half a second after the buzz has faded only the ramp is left.
        EXPECT_NEAR(glass(i, delay, e3 + 4.0f).emissivity / 30, 1.0f, 1e-3f);
    }
}

TEST(NameLogoFill, EmblemTurnsAboutTheCentreInFrontOfTheCaptionThatScrollsInFirstLetterFirst)
{
    const float txtColors[13][3] = {{1, 0, 0}, {0, 0.5f, 1}, {1, 1, 0}, {1, 0, 0.5f}, {0, 0.8f, 1}, {1, 0.5f, 0},
                                    {0.6f, 0, 1}, {1, 0, 0}, {0, 0, 0}, {0, 0.5f, 1}, {1, 1, 0}, {1, 0, 0.5f},
                                    {0, 0.8f, 1}};
    EmblemImage emblem;
    ASSERT_TRUE(loadEmblemSource(emblem) && font.loaded);
    cSceneGearLogo logo;
    ASSERT_TRUE(prepareScene(logo, "fillGearLogo", volSize));
    const float angle = 1.0f, ca = std::cos(angle), sa = std::sin(angle), width = 13 * 0.16675f;
    logo.logoZ = 0.5f;
    logo.logoAngle = angle;
    logo.logoEmissivity = 3.0f;
    for (float t : {12.0f, 20.0f}) {
        setDemoClock(t);
        logo.fill(volSize);
        float scroll = std::min((t - 10) * 0.18f, 1 + width), shift = std::min(2 * scroll / (1 + width), 1.0f);
        auto model = [&](int, int, int, float px, float py, float pz) {
            float cx = px - 0.5f, cy = py - 0.5f, cz = pz - 0.5f;
            float u = (cx * ca - cz * sa) / 0.8f + 0.5f, v = -cy / 0.8f + 0.5f;
            if (u >= 0 && u <= 1 && v >= 0 && v <= 1 && std::fabs(cx * sa + cz * ca) < 0.06f &&
                emblem.at(std::min((int)(256 * u), 255), std::min((int)(256 * v), 255))) {
                // Green shifts to a gradient from brown at the bottom to sky blue at the top.
                float up = std::clamp((cy + 0.4f) / 0.8f, 0.0f, 1.0f);
                return Voxel{0.05f + (0.85f - 0.25f * up - 0.05f) * shift, 0.9f + (0.65f + 0.1f * up - 0.9f) * shift,
                             0.6f + (0.45f + 0.55f * up - 0.6f) * shift, 1, 3, 0.15f};
            }
            float tu = (scroll - px) / width, tv = (0.28f - py - 0.015f * std::sin(15 * px + 3 * t)) / 0.25f;
            int ci = std::clamp((int)(13 * tu), 0, 12);
            if (std::fabs(pz - 0.77f) < 0.04f && tu >= 0 && tu <= 1 && tv >= 0 && tv <= 1 &&
                font.sample("FESTIVAL 2026"[ci], 13 * tu - ci, tv))
                return Voxel{txtColors[ci][0], txtColors[ci][1], txtColors[ci][2], 1, 12, 0.2f};
            return Voxel{};
        };
        expectSlicesMatch(readVolume(), model, {{2, 98}, {1, 20}, {0, 64}}, "gearlogo_t" + std::to_string((int)t));
    }
}
