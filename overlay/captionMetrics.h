// overlay/captionMetrics.h
// Caption sizing from the font size and framebuffer width, and each caption's fade and sink.
#pragma once

extern float uiTextScale;
extern float labelLineHeight;
extern float labelStagger;

// Fifteen characters of average width 0.55 F span one eighth of the screen width.
void computeCaptionMetrics(float fontSize, int framebufferWidth);

// Opacity of a caption aged ageSec; negative once it is gone (5.5 s and older).
float captionOpacity(float ageSec);
// Top of the caption in pixels from the top of the screen.
float captionY(float ageSec, int framebufferHeight, float fontSize);
