// gpu/giState.h
// The GI accumulation state that scenes steer, and the planning of each frame's GI pass from it, without GL.
#pragma once

enum GiAccumMode { giRunningAverage = 0, giProgressive = 1, giFrozen = 2 };

struct GiState {
    int giAccumMode = giRunningAverage;
    bool giResetRequested = false;
    int giAccumCount = 0;
    unsigned giFrameId = 0;
    float adaptiveRays = 16.0f;
};

struct GiStep {
    bool run;
    float blend;
};

// Decides this frame's GI pass from the mode and keeps giAccumCount in step with it.
GiStep nextGiStep(GiState& gi, float giBlend);

// One frame's GI bookkeeping: serves a reset request, takes the step and numbers the frame.
struct GiFrame {
    bool clear;
    GiStep step;
    unsigned frameId;
};
GiFrame planGiFrame(GiState& gi, float giBlend);
