// app/offscreenTarget.h
// The off-screen framebuffer that the capture tool and the tests draw into; without one, frames go to the window.
#pragma once

// Returns an empty string, or why the driver cannot hold a target of this size (over its limits, or incomplete).
const char* createOffscreenTarget(int width, int height);
void deleteOffscreenTarget();
// Binds the target for drawing (the window's framebuffer when there is none) and gives its size.
void bindFrameTarget(int& width, int& height);
// The size of the target frames are drawn into, without touching GL.
void frameTargetSize(int& width, int& height);
