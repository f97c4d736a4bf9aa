// overlay/overlay.h
// The per-frame user-interface pass: the label log drawn as fading captions.
#pragma once

void overlayPass(int framebufferWidth, int framebufferHeight);
