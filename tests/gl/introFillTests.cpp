// tests/gl/introFillTests.cpp
// The font library and the intro's captions, read back from a 128^3 volume and compared with the glyph source.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "cpu/glyphSource.h"
#include "fillVolumeCheck.h"
#include "glTestContext.h"
#include "gpu/constants.h"
#include "gpu/debugLog.h"
#include "gpu/fillDispatch.h"
#include "gpu/programs.h"
#include "scenes/sceneIntro.h"
#include "sequencer/demoClock.h"
#include "shaderSources.h"
#include "testShaders.h"

namespace {
constexpr int volSize = 128;

struct TextLine {
    std::string text;
    float bottom;
};

// The caption layout: 12 characters fill the width between the margins, lines right-aligned.
const float charW = 0.94f / 12.0f;
const float lineH = charW * 24.0f / 16.0f;
const float gap = 0.15f * lineH;

std::vector<TextLine> captionLines(int set)
{
    float second = 0.03f + lineH + gap;
    if (set == 0)
        return {{"LUMINARCS", second}, {"PRESENTS", 0.03f}};
    if (set == 1)
        return {{"GRIDSOMNIA", second + lineH + 3 * gap}, {"QUARTZINE", second}, {"HOLLOWCASTER", 0.03f}};
    if (set == 2) {
        float vorten = second + lineH + 3 * gap;
        return {{"CODE", vorten + lineH + gap}, {"VORTEN", vorten}, {"MUSIC", second}, {"QUELBY", 0.03f}};
    }
    return {};
}

bool glyphInk(const GlyphImage& font, int code, float u, float v)
{
    if (code < 32 || code > 126)
        return false;
    int px = std::clamp((int)(u * 16.0f), 0, 15);
    int py = std::clamp((int)(v * 24.0f), 0, 23);
    return font.at(code, px, py);
}

bool captionInk(const GlyphImage& font, const std::vector<TextLine>& lines, float px, float py, float pz)
{
    for (const TextLine& line : lines) {
        int n = (int)line.text.size();
        float w = n * charW;
        float dx = px - (0.97f - w), dy = py - line.bottom, dz = pz - 0.44f;
        if (dx < 0 || dx > w || dy < 0 || dy > lineH || dz < 0 || dz > 0.12f)
            continue;
        float u = dx / w * n;
        int index = std::min((int)u, n - 1);
        if (glyphInk(font, line.text[index], u - index, 1.0f - dy / lineH))
            return true;
    }
    return false;
}

class IntroFill : public ::testing::Test {
protected:
    void SetUp() override
    {
        clock.install();
        font = loadGlyphSource();
        ASSERT_TRUE(font.loaded);
        ASSERT_NE(prepareFill("fillIntro", volSize), 0u);
        intro.enter();
    }
    void TearDown() override { setDemoClockSource({}); }

    ManualClock clock;
    GlyphImage font;
    cSceneIntro intro;
};
}

TEST_F(IntroFill, FontSamplesMatchTheGlyphSourceAndCodesOutsideThePrintableRangeHaveNoInk)
{
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
                float u = ((z % 16) + 0.5f) / 16.0f, vv = (y + 0.5f) / 24.0f;
                bool want = false;
                if (band < 3)
                    want = glyphInk(font, x + (band == 1 ? 128 : band == 2 ? -128 : 0), u, vv);
                if (band == 4) {
                    float lineU = (x + 0.5f) / volSize * 16.0f;  // 40 claimed, 16 held: the line has 16
                    int index = std::min((int)lineU, 15);
                    want = glyphInk(font, 'A' + index, lineU - index, vv);
                }
                bool got = v.at(x, y, z).r > 0.5f;
                wrong += got != want ? 1 : 0;
                inked += got ? 1 : 0;
            }
    EXPECT_EQ(wrong, 0);
    EXPECT_GT(inked, 2000);
    EXPECT_TRUE(takeGlErrors().empty());
}

TEST_F(IntroFill, EachCaptionDrawsItsLinesOfLitLettersInTheMiddleSlab)
{
    const float colours[3][3] = {{0.2f, 0.4f, 1.0f}, {1.0f, 0.6f, 0.1f}, {0.2f, 0.9f, 0.3f}};
    for (int set : {0, 1, 2}) {
        intro.textSet = set;
        intro.fill(volSize);
        VolumeReadback v = readVolume();
        std::vector<TextLine> lines = captionLines(set);
        int ink = 0;
        VolumeComparison c = compareVolume(v, [&](int x, int y, int z, float px, float py, float pz) {
            Voxel out;
            if (edgeVoxel(x, y, z, volSize, out))
                return out;
            if (captionInk(font, lines, px, py, pz))
                return Voxel{colours[set][0], colours[set][1], colours[set][2], 1.0f, 0.0f, 1.0f};
            return Voxel{};
        });
        for (int z = 0; z < volSize; ++z)
            for (int y = 4; y < volSize - 4; ++y)
                for (int x = 4; x < volSize - 4; ++x)
                    ink += v.at(x, y, z).a > 0.5f ? 1 : 0;
        EXPECT_EQ(c.mismatches, 0) << "set " << set << "\n" << c.firstMismatches;
        EXPECT_GT(ink, 3000) << "set " << set;
        EXPECT_LT(c.ambiguous, ink / 4) << "set " << set;
        std::string name = "intro_set" + std::to_string(set) + "_z64.png";
        writeSlicePng(v, 2, 64, name.c_str());
    }
    EXPECT_TRUE(takeGlErrors().empty());
}

TEST_F(IntroFill, NoCaptionLeavesOnlyTheWireframe)
{
    for (int set : {-1, 3, -7}) {
        intro.textSet = set;
        intro.fill(volSize);
        VolumeComparison c = compareVolume(readVolume(), [&](int x, int y, int z, float, float, float) {
            Voxel out;
            return edgeVoxel(x, y, z, volSize, out) ? out : Voxel{};
        });
        EXPECT_EQ(c.mismatches, 0) << "set " << set << "\n" << c.firstMismatches;
    }
    EXPECT_TRUE(takeGlErrors().empty());
}
