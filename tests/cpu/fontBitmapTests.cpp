// tests/cpu/fontBitmapTests.cpp
// The embedded font image against its glyph source.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "embeddedBitmap.h"
#include "glyphSource.h"
#include "shaderSources.h"

TEST(FontImage, EmbeddedImageIsTheGlyphSourceInTheBitLayout)
{
    GlyphImage expected = loadGlyphSource();
    ASSERT_TRUE(expected.loaded);
    std::vector<bool> embedded = embeddedBitmap(font_glsl, 1152);
    ASSERT_EQ(embedded.size(), expected.ink.size());
    EXPECT_TRUE(embedded == expected.ink) << "shaders/font.glsl is stale: build the target regenerate_font";
}
