// gpu/giState.h
// The GI accumulation state that scenes steer and the frame loop serves.
#pragma once

enum GiAccumMode { giRunningAverage = 0, giProgressive = 1, giFrozen = 2 };

extern int giAccumMode;
extern bool giResetRequested;
extern int giAccumCount;
extern unsigned giFrameId;
extern float adaptiveRays;

// GPU milliseconds of the previous frame's stages.
extern float gpuFillMs;
extern float gpuOccupancyMs;
extern float gpuGiMs;
extern float gpuRenderMs;

struct GiStep {
    bool run;
    float blend;
};

// Decides this frame's GI pass from the mode and keeps giAccumCount in step with it.
GiStep nextGiStep(float giBlend);

// One frame's GI bookkeeping, without GL: serves a reset request, takes the step and numbers the frame.
struct GiFrame {
    bool clear;
    GiStep step;
    unsigned frameId;
};
GiFrame planGiFrame(float giBlend);

void resetGiStateDefaults();
