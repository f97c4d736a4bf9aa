// overlay/captionMetrics.cpp
// Caption sizing and each caption's life: 0.5 s fade in, 2 s steady, 3 s fade out, sinking one line per second.
#include "overlay/captionMetrics.h"

#include <algorithm>

float uiTextScale = 1.0f;
float labelLineHeight = 0.0f;
float labelStagger = 1.0f;

void computeCaptionMetrics(float fontSize, int framebufferWidth)
{
    uiTextScale = std::max(0.125f, ((float)framebufferWidth * 0.25f * 0.5f) / (fontSize * 0.55f * 15.0f));
    labelLineHeight = fontSize * uiTextScale * 1.4f;
    labelStagger = 1.0f;
}

float captionOpacity(float ageSec)
{
    if (ageSec < 0.5f)
        return 2.0f * ageSec;
    if (ageSec < 2.5f)
        return 1.0f;
    if (ageSec < 5.5f)
        return 1.0f - (ageSec - 2.5f) / 3.0f;
    return -1.0f;
}

float captionY(float ageSec, int framebufferHeight, float fontSize)
{
    float lineHeight = fontSize * uiTextScale * 1.4f;
    return 0.44f * (float)framebufferHeight - lineHeight + ageSec * labelLineHeight;
}
