// show/frameInput.h
// What a driver feeds each frame: sampled once, so every reader within the frame sees the same moment.
#pragma once

#include "gpu/rayBudget.h"

struct FrameInput {
    double showTimeSec = 0.0;   // the demo clock of every timeline, label and orbit
    double musicTimeSec = 0.0;  // the soundtrack's position, which alone drives the beat grid
    int targetWidth = 0;        // the picture's size in pixels, for the views and the captions
    int targetHeight = 0;
    // The one value that flows back from the GPU: the stage times of the last frame it has measured, which the
    // ray budget steers by.
    GpuTimes previousGpuTimes;
};

// Offline drivers step both on one fixed clock, as if the soundtrack had started with the show.
inline FrameInput fixedStepInput(long frame, int fps)
{
    FrameInput input;
    input.showTimeSec = input.musicTimeSec = (double)frame / fps;
    return input;
}
