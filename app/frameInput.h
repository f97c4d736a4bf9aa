// app/frameInput.h
// What a driver feeds each frame: sampled once, so every reader within the frame sees the same moment.
#pragma once

struct FrameInput {
    double showTimeSec;   // the demo clock of every timeline, label and orbit
    double musicTimeSec;  // the soundtrack's position, which alone drives the beat grid
};

// Offline drivers step both on one fixed clock, as if the soundtrack had started with the show.
inline FrameInput fixedStepInput(long frame, int fps)
{
    double t = (double)frame / fps;
    return {t, t};
}
