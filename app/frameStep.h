// app/frameStep.h
// The one frame step every driver runs, and the settings start-up hands it.
#pragma once

#include "app/frameInput.h"

// Returns true on the frame on which the show ends. With drawing false only the CPU steps run, in the same order
// and without GL, which is how the show is counted before any context exists.
bool frameStep(const FrameInput& input, bool drawing);
// Above 0: this volSize replaces every scene's.
void setFrameVolumeOverride(int volSize);
