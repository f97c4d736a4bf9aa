// tools/capture/capture.cpp
// Runs the demo's own frame pipeline in a hidden window on a fixed-step clock and writes one frame as PNG.
#include <cstdio>
#include <vector>

#include "app/captureArgs.h"
#include "app/demoApp.h"
#include "app/pngWriter.h"
#include "sequencer/demoClock.h"
#include "sequencer/sceneSequence.h"

int main(int argc, char** argv)
{
    CaptureArgs args;
    std::string error = parseCaptureArgs(argc, argv, args);
    if (!error.empty()) {
        fprintf(stderr, "lumenfold-capture: %s\n%s", error.c_str(), captureUsage);
        return 2;
    }
    if (args.help) {
        fputs(captureUsage, stdout);
        return 0;
    }

    ManualClock clock;
    clock.install();
    AppOptions options;
    options.fullscreen = false;
    options.visible = false;
    options.windowWidth = options.targetWidth = args.width;
    options.windowHeight = options.targetHeight = args.height;
    options.playMusic = false;  // without music the beat grid stays silent, as in the demo
    options.useWindowClock = false;
    if (!appStartup(options))
        return 1;
    if (args.scene >= 0) {
        if (!sceneTable[args.scene]) {
            fprintf(stderr, "lumenfold-capture: scene %d is not in this build\n", args.scene);
            appShutdown();
            return 2;
        }
        currentSceneIndex = args.scene;
    }

    int frames = captureFrameCount(args.atSec, args.fps);
    for (int frame = 0; frame < frames && !appShouldClose(); ++frame) {
        clock.now = (double)frame / args.fps;
        appFrame();
    }
    if (appShouldClose())
        fprintf(stderr, "lumenfold-capture: the show ended before %.3f s; writing its last frame\n", args.atSec);

    std::vector<uint8_t> pixels;
    int width = 0, height = 0;
    readTargetPixels(pixels, width, height);
    appShutdown();
    if (!writePng(args.out.c_str(), width, height, pixels.data())) {
        fprintf(stderr, "lumenfold-capture: could not write %s\n", args.out.c_str());
        return 1;
    }
    printf("%s: %dx%d at %.3f s (%d frames)\n", args.out.c_str(), width, height, args.atSec, frames);
    return 0;
}
