// app/main.cpp
// The demo: full screen, music, the whole playlist, then it closes by itself. Escape ends it early.
#include <cstdio>

#include "app/demoApp.h"
#include "app/softwareRenderer.h"
#include "app/startOptions.h"

int main(int argc, char** argv)
{
    AppOptions options;
    bool help = false;
    if (const char* unknown = parseStartOptions(argc, argv, options, help)) {
        fprintf(stderr, "lumenfold: unknown option '%s'\n%s", unknown, startUsage);
        return 2;
    }
    if (help) {
        fputs(startUsage, stdout);
        return 0;
    }
    DemoApp app;
    if (!appStartup(app, options))
        return 1;
    logSoftwareRendererNote();
    while (!appShouldClose())
        appFrame(app, liveFrameInput());
    appShutdown(app);
    return 0;
}
