// overlay/overlay.h
// The per-frame user-interface pass: the ray-budget step and the fading captions.
#pragma once

void overlayPass(int framebufferWidth, int framebufferHeight);
