// gpu/giState.cpp
#include "gpu/giState.h"

#include <algorithm>

int giAccumMode = giRunningAverage;
bool giResetRequested = false;
int giAccumCount = 0;
unsigned giFrameId = 0;
float adaptiveRays = 16.0f;
float gpuFillMs = 0.0f;
float gpuOccupancyMs = 0.0f;
float gpuGiMs = 0.0f;
float gpuRenderMs = 0.0f;

GiStep nextGiStep(float giBlend)
{
    if (giAccumMode == giFrozen)
        return {false, 0.0f};
    if (giAccumMode == giProgressive) {
        ++giAccumCount;
        return {true, 1.0f / (float)giAccumCount};
    }
    // Remember the history length so a later switch to progressive carries on from it.
    if (giBlend > 0.0f)
        giAccumCount = (int)std::min(1.0f / giBlend, 1.0e6f);
    return {true, giBlend};
}

GiFrame planGiFrame(float giBlend)
{
    GiFrame frame{giResetRequested, {false, 0.0f}, giFrameId};
    if (giResetRequested) {
        giAccumCount = 0;
        giResetRequested = false;
    }
    frame.step = nextGiStep(giBlend);
    if (frame.step.run)
        ++giFrameId;
    return frame;
}

void resetGiStateDefaults()
{
    giAccumMode = giRunningAverage;
    giResetRequested = false;
    giAccumCount = 0;
    giFrameId = 0;
    adaptiveRays = 16.0f;
    gpuFillMs = gpuOccupancyMs = gpuGiMs = gpuRenderMs = 0.0f;
}
