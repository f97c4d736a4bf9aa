// tools/capture/captureArgs.h
// Command line of the off-screen capture tool.
#pragma once

#include <string>

#include "app/demoApp.h"

struct CaptureArgs {
    // One picture.
    int scene = -1;  // sceneTable index to enter directly; -1: the playlist's first entry
    double atSec = 0.0;
    std::string out = "capture.png";
    // The show, or a range of it, as a video and/or a contact sheet.
    std::string video;
    std::string sheet;
    double fromSec = 0.0;
    double toSec = -1.0;  // below 0: to the moment the window would close
    double everySec = 0.0;
    // Both.
    int fps = 60;
    int width = 480;
    int height = 270;
    int volSize = 0;  // 0: every scene's own (128)
    int rays = 0;     // 0: as the scenes and the ray budget say
    bool skipping = true;
    bool help = false;

    bool showCapture() const { return !video.empty() || !sheet.empty(); }
};

// Returns an empty string on success, otherwise the message to print before exiting with status 2.
std::string parseCaptureArgs(int argc, const char* const* argv, CaptureArgs& args);

// The latest moment a capture accepts; the whole show lasts a few minutes.
constexpr double captureMaxSec = 3600.0;

// Frames rendered on the fixed step to reach atSec: the entry frame at 0 plus one per step.
int captureFrameCount(double atSec, int fps);

// A hidden window with an off-screen target of the asked size; the beat grid runs on the fixed step as if the
// music had started with the show, so the tool plays none.
AppOptions captureAppOptions(const CaptureArgs& args);

// The scene range it names comes from the scene registry.
std::string captureUsage();
