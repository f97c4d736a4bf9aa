// overlay/captionPlan.h
// Where each caption of the label log stands this frame, as plain data the overlay pass draws.
#pragma once

#include <string>
#include <vector>

#include "sequencer/labels.h"

struct PlacedCaption {
    std::string text;
    // The overlay window's name, kept by the caption for its whole life even when older entries leave the log.
    std::string windowName;
    float x, y;   // the caption's top-right corner, in pixels from the top-left of the screen
    float alpha;  // the text's opacity
};

struct CaptionPlan {
    float textScale = 1.0f;
    std::vector<PlacedCaption> captions;
};

// The visible captions of the log at show time now, for a target of this size and a font of this size.
CaptionPlan planCaptions(const std::vector<LabelEntry>& labelLog, double now, float fontSize, int framebufferWidth,
                         int framebufferHeight);
