// tests/gl/introFillTests.cpp
// The font library and the intro's captions, read back from a 128^3 volume and compared with the glyph source.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "glyphSource.h"
#include "gpu/debugLog.h"
#include "gpu/fillDispatch.h"
#include "gpu/programs.h"
#include "scenes/sceneIntro.h"
#include "shaderSources.h"
#include "testShaders.h"
#include "volumeTestSupport.h"

namespace {
constexpr int volSize = 128;

// A line gives each of its characters an equal share of u in [0, 1].
bool lineInk(const GlyphImage& font, const std::string& text, float u, float v)
{
    int n = (int)text.size(), index = std::min((int)(u * n), n - 1);
    return font.sample(text[index], u * n - index, v);
}
}

TEST(IntroFill, FontSamplesMatchTheGlyphSourceAndCodesOutsideThePrintableRangeHaveNoInk)
{
    GlyphImage font = loadGlyphSource();
    ASSERT_TRUE(font.loaded);
    ASSERT_NE(prepareFill("fillIntro", volSize), 0u);
    debugLogCaptureBegin();
    unsigned probe = buildComputeProgram("fontProbe", {vol_write_glsl, font_glsl, fontProbe_glsl});
    ASSERT_NE(probe, 0u) << debugLogCaptureEnd();
    debugLogCaptureEnd();
    dispatchFill(probe, volSize, 0.0f);
    VolumeReadback v = readVolume();
    glDeleteProgram(probe);

    int wrong = 0, inked = 0;
    for (int z = 0; z < 80; ++z)
        for (int y = 0; y < 24; ++y)
            for (int x = 0; x < volSize; ++x) {
                int band = z / 16;
                float u = (z % 16 + 0.5f) / 16.0f, vv = (y + 0.5f) / 24.0f;
                // The line claimed as 40 characters holds 16, so it spreads those 16 over the width.
                bool want = band < 3 ? font.sample(x + (band == 1) * 128 - (band == 2) * 128, u, vv)
                                     : band == 4 && lineInk(font, "ABCDEFGHIJKLMNOP", (x + 0.5f) / volSize, vv);
                bool got = v.at(x, y, z).r > 0.5f;
                wrong += got != want ? 1 : 0;
                inked += got ? 1 : 0;
            }
    EXPECT_EQ(wrong, 0);
    EXPECT_GT(inked, 2000);
    EXPECT_TRUE(takeGlErrors().empty());
}

TEST(IntroFill, EachCaptionDrawsItsRightAlignedLinesInTheMiddleSlabAndOtherSetsNothing)
{
    GlyphImage font = loadGlyphSource();
    ASSERT_TRUE(font.loaded);
    cSceneIntro intro;
    intro.fillProgram = prepareFill("fillIntro", volSize);
    ASSERT_NE(intro.fillProgram, 0u);
    intro.enter();
    // Twelve characters fill the width between the 0.03 margins; the letters are 0.12 deep from z = 0.44.
    const float charW = 0.94f / 12.0f, lineH = charW * 1.5f, gap = 0.15f * lineH;
    const float second = 0.03f + lineH + gap, third = second + lineH + 3 * gap;
    const struct {
        int set;
        Voxel ink;
        std::vector<std::pair<std::string, float>> lines;  // text, bottom
    } captions[] = {
        {0, {0.2f, 0.4f, 1.0f, 1.0f}, {{"LUMINARCS", second}, {"PRESENTS", 0.03f}}},
        {1, {1.0f, 0.6f, 0.1f, 1.0f}, {{"GRIDSOMNIA", third}, {"QUARTZINE", second}, {"HOLLOWCASTER", 0.03f}}},
        {2,
         {0.2f, 0.9f, 0.3f, 1.0f},
         {{"CODE", third + lineH + gap}, {"VORTEN", third}, {"MUSIC", second}, {"QUELBY", 0.03f}}},
        {-1, {}, {}},
        {3, {}, {}},
    };
    for (const auto& c : captions) {
        intro.textSet = c.set;
        intro.fill(volSize);
        auto model = [&](int, int, int, float px, float py, float pz) {
            for (const auto& [text, bottom] : c.lines) {
                float w = text.size() * charW, dx = px - (0.97f - w), dy = py - bottom, dz = pz - 0.44f;
                if (dx >= 0 && dx <= w && dy >= 0 && dy <= lineH && dz >= 0 && dz <= 0.12f &&
                    lineInk(font, text, dx / w, 1.0f - dy / lineH))
                    return c.ink;
            }
            return Voxel{};
        };
        expectSlicesMatch(readVolume(), model, {{2, 64}, {0, 100}, {0, 118}}, "intro_set" + std::to_string(c.set));
    }
}
