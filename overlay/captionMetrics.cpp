// overlay/captionMetrics.cpp
// Caption sizing and each caption's life: 0.5 s fade in, 2 s steady, 3 s fade out, sinking one line per second.
#include "overlay/captionMetrics.h"

#include <algorithm>

CaptionMetrics captionMetrics(float fontSize, int framebufferWidth)
{
    CaptionMetrics metrics;
    metrics.uiTextScale = std::max(0.125f, ((float)framebufferWidth * 0.25f * 0.5f) / (fontSize * 0.55f * 15.0f));
    metrics.labelLineHeight = fontSize * metrics.uiTextScale * 1.4f;
    return metrics;
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

float captionY(const CaptionMetrics& metrics, float ageSec, int framebufferHeight, float fontSize)
{
    float lineHeight = fontSize * metrics.uiTextScale * 1.4f;
    return 0.44f * (float)framebufferHeight - lineHeight + ageSec * metrics.labelLineHeight;
}
