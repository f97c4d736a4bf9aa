// tests/gl/introFillTests.cpp
// The font library and the intro's captions, read back from a 128^3 volume and compared with the glyph source.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "gpu/debugLog.h"
#include "gpu/fillDispatch.h"
#include "gpu/programs.h"
#include "scenes/sceneIntro.h"
#include "shaderSources.h"
#include "testShaders.h"
#include "volumeTestSupport.h"

namespace {
constexpr int volSize = 128;

// tools/font/glyphs.txt as a 256 x 144 ink image, read independently of the generator that embeds it: each
// glyph is 7 x 8 blocks of 2 x 2 pixels in a 16 x 24 cell, its first block row on pixel rows 3-4.
struct GlyphImage {
    std::vector<bool> ink = std::vector<bool>(256 * 144, false);
    bool loaded = false;

    GlyphImage()
    {
        std::string root = __FILE__;
        std::ifstream in(root.substr(0, root.rfind("tests/gl/")) + "tools/font/glyphs.txt");
        loaded = in.good();
        std::string line;
        while (std::getline(in, line)) {
            if (line.rfind("code ", 0) != 0)
                continue;
            int cell = std::atoi(line.c_str() + 5) - 32;
            for (int row = 0; row < 8 && std::getline(in, line); ++row)
                for (int col = 0; col < 7 && col < (int)line.size(); ++col)
                    for (int k = 0; k < 4 && line[col] == '#'; ++k) {
                        int py = cell / 16 * 24 + 3 + 2 * row + (k >> 1), px = cell % 16 * 16 + 2 * col + (k & 1);
                        ink[py * 256 + px] = true;
                    }
        }
    }

    // The font's sample: u left to right, v top down over the cell; no ink outside 32..126.
    bool sample(int code, float u, float v) const
    {
        int px = std::clamp((int)(u * 16.0f), 0, 15), py = std::clamp((int)(v * 24.0f), 0, 23);
        return code >= 32 && code <= 126 && ink[((code - 32) / 16 * 24 + py) * 256 + (code - 32) % 16 * 16 + px];
    }

    // A line gives each of its characters an equal share of u in [0, 1].
    bool lineSample(const std::string& text, float u, float v) const
    {
        int n = (int)text.size(), index = std::min((int)(u * n), n - 1);
        return sample(text[index], u * n - index, v);
    }
};
}

TEST(IntroFill, FontSamplesMatchTheGlyphSourceAndCodesOutsideThePrintableRangeHaveNoInk)
{
    GlyphImage font;
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
                                     : band == 4 && font.lineSample("ABCDEFGHIJKLMNOP", (x + 0.5f) / volSize, vv);
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
    GlyphImage font;
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
                    font.lineSample(text, dx / w, 1.0f - dy / lineH))
                    return c.ink;
            }
            return Voxel{};
        };
        expectSlicesMatch(readVolume(), model, {{2, 64}, {0, 100}, {0, 118}}, "intro_set" + std::to_string(c.set));
    }
}
