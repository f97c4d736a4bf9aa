// tools/capture/capture.cpp
// Runs the demo's own frame step in a hidden window on a fixed step: one frame as PNG, or the show as a video
// and a contact sheet.
#include <cstdio>
#include <string>
#include <vector>

#include "tools/capture/captureArgs.h"
#include "app/demoApp.h"
#include "scenes/sceneRegistry.h"
#include "tools/capture/outputFile.h"
#include "tools/capture/showCapture.h"
#include "platform/stopSignal.h"

int main(int argc, char** argv)
{
    CaptureArgs args;
    std::string error = parseCaptureArgs(argc, argv, args);
    if (!error.empty()) {
        fprintf(stderr, "lumenfold-capture: %s\n%s", error.c_str(), captureUsage().c_str());
        return 2;
    }
    if (args.help) {
        fputs(captureUsage().c_str(), stdout);
        return 0;
    }
    if (args.showCapture())
        return captureShow(args);
    if (args.scene >= 0 && !sceneName(args.scene)) {
        fprintf(stderr, "lumenfold-capture: scene %d is not in this build\n", args.scene);
        return 2;
    }

    // The file is claimed before the slow part, so an unwritable --out fails at once; the handlers come first, so
    // that a stop at any moment after the claim finds the file to remove.
    installStopHandlers();
    std::string temporary;
    error = createTemporaryBeside(args.out, temporary);
    if (!error.empty()) {
        fprintf(stderr, "lumenfold-capture: %s\n", error.c_str());
        return 1;
    }
    guardTemporary(1, temporary.c_str());
    DemoApp app;
    if (!appStartup(app, captureAppOptions(args))) {
        remove(temporary.c_str());
        return appStartupFailureStatus();
    }

    int frames = captureFrameCount(args.atSec, args.fps);
    FrameInput input;
    for (int frame = 0; frame < frames && !appShouldClose() && !stopRequested(); ++frame) {
        input = fixedStepInput(frame, args.fps);
        appFrame(app, input);
    }
    if (stopRequested()) {
        appShutdown(app);
        remove(temporary.c_str());  // a stop before the guard was set left it to us
        return 128 + stopRequested();
    }
    if (appShouldClose())
        fprintf(stderr, "lumenfold-capture: the show ended before %.3f s; writing its last frame\n", args.atSec);

    std::vector<uint8_t> pixels;
    int width = 0, height = 0;
    readTargetPixels(pixels, width, height);
    const SceneSequence& sequence = app.show->state.sequence;
    int sceneIndex = sequence.lastAppliedScene;
    double sceneSec = sequence.currentScene ? sequence.currentScene->sceneTime() : 0.0;
    appShutdown(app);
    guardTemporary(1, nullptr);
    error = commitPng(temporary, args.out, width, height, pixels.data());
    if (!error.empty()) {
        fprintf(stderr, "lumenfold-capture: %s\n", error.c_str());
        return 1;
    }
    printf("%s: %dx%d at show time %.3f s (%d frames), scene %d %s at %.3f s\n", args.out.c_str(), width, height,
           input.showTimeSec, frames, sceneIndex, sceneName(sceneIndex) ? sceneName(sceneIndex) : "none", sceneSec);
    return 0;
}
