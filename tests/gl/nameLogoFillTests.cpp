// tests/gl/nameLogoFillTests.cpp
// The group-name and gear-logo fills read back from a real volume against CPU models of letters, emblem and caption.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "cpu/embeddedBitmap.h"
#include "glyphSource.h"
#include "hashReference.h"
#include "scenes/sceneGearLogo.h"
#include "scenes/sceneLuminarcs2.h"
#include "sequencer/demoClock.h"
#include "volumeTestSupport.h"

namespace {
struct Cell {
    float x, y, w, h;  // left, bottom, width, height
};

// Letter i of LUMINARCS in the two-line layout between the default walls: four letters over five.
Cell letterCell(int i)
{
    return {i < 4 ? 0.148f + i * 0.176f : 0.06f + (i - 4) * 0.176f, i < 4 ? 0.5198f : 0.2162f, 0.176f, 0.264f};
}

class NameLogoFill : public ::testing::Test {
protected:
    GlyphImage font = loadGlyphSource();
};
}

TEST_F(NameLogoFill, EachTubeFalseStartsBlacksOutAndIgnitesOnItsOwnHashedSchedule)
{
    const int n = 64;
    cSceneLuminarcs2 scene;
    scene.fillProgram = prepareFill("fillLuminarcs2", n);
    ASSERT_NE(scene.fillProgram, 0u);
    scene.enter();
    scene.s2Fog = false;
    // The glass of letter i (delayed by delay) when its own clock reads lt; it emits 30 x its brightness.
    auto glass = [&](int i, float delay, float lt) {
        setDemoClock(delay + lt);
        scene.fill(n);
        VolumeReadback v = readVolume();
        Cell c = letterCell(i);
        for (int y = (int)(c.y * n); y < (int)((c.y + c.h) * n); ++y)
            for (int x = (int)(c.x * n) + 1; x < (int)((c.x + c.w) * n); ++x)
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

TEST_F(NameLogoFill, EmblemTurnsAboutTheCentreInFrontOfTheCaptionThatScrollsInFirstLetterFirst)
{
    const float txtColors[13][3] = {{1, 0, 0}, {0, 0.5f, 1}, {1, 1, 0},    {1, 0, 0.5f}, {0, 0.8f, 1}, {1, 0.5f, 0}, {0.6f, 0, 1},
                                    {1, 0, 0}, {0, 0, 0},    {0, 0.5f, 1}, {1, 1, 0},    {1, 0, 0.5f}, {0, 0.8f, 1}};
    EmblemImage emblem;
    ASSERT_TRUE(loadEmblemSource(emblem));
    cSceneGearLogo logo;
    logo.fillProgram = prepareFill("fillGearLogo", 128);
    ASSERT_NE(logo.fillProgram, 0u);
    logo.enter();
    const float angle = 1.0f, ca = std::cos(angle), sa = std::sin(angle), width = 13 * 0.16675f;
    logo.logoZ = 0.5f;
    logo.logoAngle = angle;
    logo.logoEmissivity = 3.0f;
    for (float t : {12.0f, 20.0f}) {
        setDemoClock(t);
        logo.fill(128);
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
