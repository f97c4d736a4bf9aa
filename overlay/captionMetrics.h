// overlay/captionMetrics.h
// Caption sizing from the font size and framebuffer width, and each caption's fade and sink.
#pragma once

// Seconds between two captions a script shows one after the other.
constexpr float labelStagger = 1.0f;

struct CaptionMetrics {
    float uiTextScale = 1.0f;
    float labelLineHeight = 0.0f;
};

// Fifteen characters of average width 0.55 F span one eighth of the screen width.
CaptionMetrics captionMetrics(float fontSize, int framebufferWidth);

// Opacity of a caption aged ageSec; negative once it is gone (5.5 s and older).
float captionOpacity(float ageSec);
// Top of the caption in pixels from the top of the screen.
float captionY(const CaptionMetrics& metrics, float ageSec, int framebufferHeight, float fontSize);
