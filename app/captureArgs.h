// app/captureArgs.h
// Command line of the off-screen capture tool (the demo itself takes no arguments).
#pragma once

#include <string>

struct CaptureArgs {
    int scene = -1;  // sceneTable index to enter directly; -1: the playlist's first entry
    double atSec = 0.0;
    int fps = 60;
    int width = 480;
    int height = 270;
    int volSize = 0;  // 0: every scene's own (128)
    std::string out = "capture.png";
    bool help = false;
};

// Returns an empty string on success, otherwise the message to print before exiting with status 2.
std::string parseCaptureArgs(int argc, const char* const* argv, CaptureArgs& args);

// The latest moment a capture accepts; the whole show lasts a few minutes.
constexpr double captureMaxSec = 3600.0;

// Frames rendered on the fixed step to reach atSec: the entry frame at 0 plus one per step.
int captureFrameCount(double atSec, int fps);

extern const char captureUsage[];
