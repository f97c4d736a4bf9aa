// gpu/giState.cpp
#include "gpu/giState.h"

#include <algorithm>

GiStep nextGiStep(GiState& gi, float giBlend)
{
    if (gi.giAccumMode == giFrozen)
        return {false, 0.0f};
    if (gi.giAccumMode == giProgressive) {
        ++gi.giAccumCount;
        return {true, 1.0f / (float)gi.giAccumCount};
    }
    // Remember the history length so a later switch to progressive carries on from it.
    if (giBlend > 0.0f)
        gi.giAccumCount = (int)std::min(1.0f / giBlend, 1.0e6f);
    return {true, giBlend};
}

GiFrame planGiFrame(GiState& gi, float giBlend)
{
    GiFrame frame{gi.giResetRequested, {false, 0.0f}, gi.giFrameId};
    if (gi.giResetRequested) {
        gi.giAccumCount = 0;
        gi.giResetRequested = false;
    }
    frame.step = nextGiStep(gi, giBlend);
    if (frame.step.run)
        ++gi.giFrameId;
    return frame;
}
