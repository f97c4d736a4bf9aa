// tests/cpu/fontBitmapTests.cpp
// The embedded font image against its glyph source, and the rules of the glyph artwork.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "glyphSource.h"
#include "shaderSources.h"

namespace {
constexpr int imgW = 256, imgH = 144, cellW = 16, cellH = 24;

std::vector<uint32_t> embeddedWords()
{
    std::string text = font_glsl;
    size_t begin = text.find("uint[1152](");
    size_t end = text.find(");", begin);
    std::vector<uint32_t> words;
    if (begin == std::string::npos || end == std::string::npos)
        return words;
    std::istringstream list(text.substr(begin + 11, end - begin - 11));
    std::string item;
    while (std::getline(list, item, ','))
        words.push_back((uint32_t)std::strtoul(item.c_str(), nullptr, 16));
    return words;
}

class FontImage : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::vector<uint32_t> words = embeddedWords();
        ASSERT_EQ(words.size(), 1152u);
        for (int idx = 0; idx < imgW * imgH; ++idx)
            ink.push_back((words[idx >> 5] >> (31 - (idx & 31))) & 1u);
    }

    bool at(int code, int px, int py) const
    {
        int cell = code - 32;
        return ink[((cell / 16) * cellH + py) * imgW + (cell % 16) * cellW + px];
    }

    int inkInRows(int code, int firstRow, int lastRow) const
    {
        int count = 0;
        for (int py = firstRow; py <= lastRow; ++py)
            for (int px = 0; px < cellW; ++px)
                count += at(code, px, py) ? 1 : 0;
        return count;
    }

    std::vector<bool> ink;
};
}

TEST_F(FontImage, EmbeddedImageIsTheGlyphSourceInTheBitLayout)
{
    GlyphImage expected = loadGlyphSource();
    ASSERT_TRUE(expected.loaded);
    int differing = 0;
    for (int i = 0; i < imgW * imgH; ++i)
        differing += ink[i] != expected.ink[i] ? 1 : 0;
    EXPECT_EQ(differing, 0) << "shaders/font.glsl is stale: build the target regenerate_font";
}

TEST_F(FontImage, GlyphsAreBlocksInsideTheInkArea)
{
    for (int code = 32; code < 128; ++code) {
        int outside = 0, misaligned = 0;
        for (int py = 0; py < cellH; ++py)
            for (int px = 0; px < cellW; ++px) {
                if (!at(code, px, py))
                    continue;
                if (px > 13 || py < 3 || py > 18)
                    ++outside;
                // Blocks start on even columns and odd rows; all four pixels of a block agree.
                int bx = px & ~1, by = py - ((py - 1) & 1);
                if (by >= 3 && by + 1 < cellH &&
                    !(at(code, bx, by) && at(code, bx + 1, by) && at(code, bx, by + 1) && at(code, bx + 1, by + 1)))
                    ++misaligned;
            }
        EXPECT_EQ(outside, 0) << "code " << code;
        EXPECT_EQ(misaligned, 0) << "code " << code;
    }
}

TEST_F(FontImage, EveryPrintableCodeHasInkAndOnlyDescendersReachBelowTheBaseline)
{
    EXPECT_EQ(inkInRows(32, 0, cellH - 1), 0);
    EXPECT_EQ(inkInRows(127, 0, cellH - 1), 0);  // the cell after '~'
    for (int code = 33; code <= 126; ++code)
        EXPECT_GT(inkInRows(code, 0, cellH - 1), 0) << "code " << code;
    for (int code = '0'; code <= '9'; ++code)
        EXPECT_EQ(inkInRows(code, 17, 18), 0) << (char)code;
    for (int code = 'A'; code <= 'Z'; ++code) {
        EXPECT_EQ(inkInRows(code, 17, 18), 0) << (char)code;
        EXPECT_GT(inkInRows(code, 3, 4), 0) << (char)code;  // capitals reach the top row
    }
    for (char c : std::string("gjpqy"))
        EXPECT_GT(inkInRows(c, 17, 18), 0) << c;
    for (char c : std::string("acemnorsuvwxz"))
        EXPECT_EQ(inkInRows(c, 3, 6) + inkInRows(c, 17, 18), 0) << c;  // x-height letters
}
