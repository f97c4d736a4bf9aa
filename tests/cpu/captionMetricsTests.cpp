// tests/cpu/captionMetricsTests.cpp
// Caption sizing from font size and screen width, and each caption's fade and sink over its 5.5 s life.
#include <gtest/gtest.h>

#include "overlay/captionMetrics.h"

TEST(CaptionMetrics, FifteenAverageCharactersSpanAnEighthOfTheWidth)
{
    // Fifteen characters of 0.55 font sizes each fill 1920 / 8 = 240 pixels.
    computeCaptionMetrics(13.0f, 1920);
    EXPECT_FLOAT_EQ(uiTextScale, 240.0f / (15.0f * 0.55f * 13.0f));
    EXPECT_FLOAT_EQ(labelLineHeight, 1.4f * 240.0f / (15.0f * 0.55f));
    // The floor of 0.125 only holds for fonts of about 233 pixels and more.
    computeCaptionMetrics(232.0f, 1920);
    EXPECT_GT(uiTextScale, 0.125f);
    computeCaptionMetrics(233.0f, 1920);
    EXPECT_EQ(uiTextScale, 0.125f);
    EXPECT_FLOAT_EQ(labelLineHeight, 233.0f * 0.125f * 1.4f);
}

TEST(CaptionMetrics, CaptionsFadeInHoldFadeOutAndSinkALinePerSecond)
{
    computeCaptionMetrics(13.0f, 1920);
    const float line = 1.4f * 240.0f / (15.0f * 0.55f);
    // Each caption starts a line above 0.44 of the height and sinks one line per second.
    const struct { float ageSec, opacity; } cases[] = {{0.0f, 0.0f}, {0.25f, 0.5f}, {0.5f, 1.0f}, {2.5f, 1.0f}, {4.0f, 0.5f}};
    for (const auto& c : cases) {
        EXPECT_FLOAT_EQ(captionOpacity(c.ageSec), c.opacity) << c.ageSec;
        EXPECT_NEAR(captionY(c.ageSec, 1080, 13.0f), 0.44f * 1080.0f + (c.ageSec - 1.0f) * line, 1e-3f) << c.ageSec;
    }
    EXPECT_LT(captionOpacity(5.5f), 0.0f) << "gone at 5.5 s";
    EXPECT_NEAR(captionY(5.5f, 1080, 13.0f), 0.44f * 1080.0f + 4.5f * line, 1e-3f);
    // Two entries shown one second apart: the older one is one line lower.
    EXPECT_NEAR(captionY(2.5f, 720, 13.0f) - captionY(1.5f, 720, 13.0f), labelLineHeight, 1e-3f);
}
