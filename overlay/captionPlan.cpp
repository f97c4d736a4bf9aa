// overlay/captionPlan.cpp
// Captions stand at the right edge, two average characters in, faded and sunk by their age.
#include "overlay/captionPlan.h"

#include <cstdio>
#include <cstring>

#include "overlay/captionMetrics.h"

namespace {
void formatTime(char (&text)[32], float shown)
{
    snprintf(text, sizeof(text), "%.3f", shown);
}

// Window names come from the entry time; entries shown at the same moment are told apart by how many
// earlier entries share their name, so a caption keeps its window when older entries leave the log.
std::string captionWindowName(const std::vector<LabelEntry>& labelLog, size_t index)
{
    char mine[32];
    char other[32];
    formatTime(mine, labelLog[index].shown);
    int sameBefore = 0;
    for (size_t i = 0; i < index; ++i) {
        formatTime(other, labelLog[i].shown);
        if (strcmp(mine, other) == 0)
            ++sameBefore;
    }
    char name[32];
    snprintf(name, sizeof(name), "##ovl%.3f_%d", labelLog[index].shown, sameBefore);
    return name;
}
}

CaptionPlan planCaptions(const std::vector<LabelEntry>& labelLog, double now, float fontSize, int framebufferWidth,
                         int framebufferHeight)
{
    CaptionMetrics metrics = captionMetrics(fontSize, framebufferWidth);
    CaptionPlan plan;
    plan.textScale = metrics.uiTextScale;
    float margin = 2.0f * fontSize * metrics.uiTextScale * 0.55f;
    for (size_t i = 0; i < labelLog.size(); ++i) {
        float age = (float)now - labelLog[i].shown;
        float opacity = captionOpacity(age);
        if (opacity < 0.0f)
            continue;
        plan.captions.push_back({labelLog[i].text, captionWindowName(labelLog, i), (float)framebufferWidth - margin,
                                 captionY(metrics, age, framebufferHeight, fontSize), 0.25f * opacity});
    }
    return plan;
}
