// tests/cpu/fontBitmapTests.cpp
// The embedded font image against its glyph source.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "glyphSource.h"
#include "shaderSources.h"

TEST(FontImage, EmbeddedImageIsTheGlyphSourceInTheBitLayout)
{
    GlyphImage expected = loadGlyphSource();
    ASSERT_TRUE(expected.loaded);
    std::string text = font_glsl;
    size_t begin = text.find("uint[1152](");
    ASSERT_NE(begin, std::string::npos);
    std::istringstream list(text.substr(begin + 11, text.find(");", begin) - begin - 11));
    std::string item;
    int words = 0, differing = 0;
    for (; std::getline(list, item, ','); ++words) {
        uint32_t word = (uint32_t)std::strtoul(item.c_str(), nullptr, 16);
        // Pixel idx is bit 31 - (idx & 31) of word idx >> 5.
        for (int bit = 0; bit < 32 && words < 1152; ++bit)
            differing += (((word >> (31 - bit)) & 1u) != 0) != expected.ink[words * 32 + bit] ? 1 : 0;
    }
    EXPECT_EQ(words, 1152);
    EXPECT_EQ(differing, 0) << "shaders/font.glsl is stale: build the target regenerate_font";
}
