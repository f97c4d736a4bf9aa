// tests/cpu/captionMetricsTests.cpp
// Caption sizing from font size and screen width, and each caption's fade and sink over its 5.5 s life.
#include <gtest/gtest.h>

#include "overlay/captionMetrics.h"

TEST(CaptionMetrics, FifteenAverageCharactersSpanAnEighthOfTheWidth)
{
    computeCaptionMetrics(13.0f, 1920);
    EXPECT_FLOAT_EQ(uiTextScale, 240.0f / (8.25f * 13.0f));
    EXPECT_FLOAT_EQ(15.0f * 0.55f * 13.0f * uiTextScale, 1920.0f / 8.0f);
    EXPECT_FLOAT_EQ(labelLineHeight, 13.0f * uiTextScale * 1.4f);
    EXPECT_EQ(labelStagger, 1.0f);

    computeCaptionMetrics(96.0f, 1920);
    EXPECT_FLOAT_EQ(uiTextScale, 240.0f / (8.25f * 96.0f));

    // The floor of 0.125 only holds for fonts of about 233 pixels and more.
    computeCaptionMetrics(232.0f, 1920);
    EXPECT_GT(uiTextScale, 0.125f);
    computeCaptionMetrics(233.0f, 1920);
    EXPECT_EQ(uiTextScale, 0.125f);
    EXPECT_FLOAT_EQ(labelLineHeight, 233.0f * 0.125f * 1.4f);
}

TEST(CaptionMetrics, OpacityFadesInHoldsAndFadesOut)
{
    EXPECT_FLOAT_EQ(captionOpacity(0.0f), 0.0f);
    EXPECT_FLOAT_EQ(captionOpacity(0.25f), 0.5f);
    EXPECT_FLOAT_EQ(captionOpacity(0.5f), 1.0f);
    EXPECT_FLOAT_EQ(captionOpacity(2.4f), 1.0f);
    EXPECT_FLOAT_EQ(captionOpacity(2.5f), 1.0f);
    EXPECT_FLOAT_EQ(captionOpacity(4.0f), 0.5f);
    EXPECT_NEAR(captionOpacity(5.49f), 0.01f / 3.0f, 1e-5f);
    EXPECT_LT(captionOpacity(5.5f), 0.0f) << "gone at 5.5 s";
    EXPECT_LT(captionOpacity(30.0f), 0.0f);
}

TEST(CaptionMetrics, CaptionsStartALineAboveTheMarkAndSinkALinePerSecond)
{
    const float font = 13.0f;
    computeCaptionMetrics(font, 1920);
    const float line = font * uiTextScale * 1.4f;
    EXPECT_FLOAT_EQ(captionY(0.0f, 1080, font), 0.44f * 1080.0f - line);
    EXPECT_FLOAT_EQ(captionY(0.25f, 1080, font), 0.44f * 1080.0f - line + 0.25f * line);
    EXPECT_FLOAT_EQ(captionY(5.5f, 1080, font), 0.44f * 1080.0f + 4.5f * line);
    // Two entries shown one second apart: the older one is one line lower.
    EXPECT_NEAR(captionY(2.5f, 1080, font) - captionY(1.5f, 1080, font), labelLineHeight, 1e-3f);
    EXPECT_NEAR(captionY(2.5f, 720, font) - captionY(1.5f, 720, font), labelLineHeight, 1e-3f);
}
