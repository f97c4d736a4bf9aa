// tools/capture/showCapture.h
// The show, or a range of it, rendered from show time 0 and written as a video and/or a contact sheet.
#pragma once

#include "tools/capture/captureArgs.h"

// Returns the tool's exit status: 0, 1 when something failed, 2 for a range the show does not hold,
// 128 + the signal when it was stopped.
int captureShow(const CaptureArgs& args);
