// app/main.cpp
// The demo: full screen, music, the whole playlist, then it closes by itself. Escape ends it early.
#include <cstdio>
#include <string>

#include "app/demoApp.h"
#include "app/softwareRenderer.h"
#include "app/startOptions.h"
#include "app/windowContext.h"
#include "platform/debugLog.h"
#include "platform/platform.h"

namespace {
// Minimised, the show steps on the CPU alone, in time with the music, and the GPU rests until the window is back.
void playFrame(DemoApp& app, bool& wasMinimised)
{
    bool minimised = windowMinimised();
    if (minimised != wasMinimised)
        debugLog(minimised ? "Minimised: the show plays on without drawing\n" : "Restored: drawing again\n");
    wasMinimised = minimised;
    if (!minimised) {
        appFrame(app, liveFrameInput());
        return;
    }
    waitForWindowEvents(1.0 / 30.0);
    appStepWithoutDrawing(app, liveFrameInput());
}
}

int main(int argc, char** argv)
{
    AppOptions options;
    bool help = false;
    // A program started from the desktop has no terminal: where the desktop has a box, the text shows there too.
    if (const char* unknown = parseStartOptions(argc, argv, options, help)) {
        std::string text = "unknown option '" + std::string(unknown) + "'\n" + startUsage;
        fprintf(stderr, "lumenfold: %s", text.c_str());
        showDesktopBox("Lumenfold", text.c_str(), BoxIcon::error);
        return 2;
    }
    if (help) {
        fputs(startUsage, stdout);
        showDesktopBox("Lumenfold", startUsage, BoxIcon::information);
        return 0;
    }
    DemoApp app;
    if (!appStartup(app, options))
        return 1;
    logSoftwareRendererNote();
    bool minimised = false;
    while (!appShouldClose())
        playFrame(app, minimised);
    appShutdown(app);
    return 0;
}
