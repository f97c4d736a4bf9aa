// tools/capture/renderProgress.h
// The capture's progress report: frame n of N, the scene being rendered, frames per second and time left.
#pragma once

#include <string>

// done of total frames rendered in elapsedSec; scene is null before the first scene is entered.
std::string progressText(long done, long total, const char* scene, double elapsedSec);

// For a log rather than a terminal: true on each frame that completes another 5 % of the total.
bool progressStepDue(long done, long total);
