// app/main.cpp
// The demo: full screen, music, the whole playlist, then it closes by itself. Escape ends it early.
#include "app/demoApp.h"
#include "app/softwareRenderer.h"

int main()
{
    if (!appStartup(AppOptions()))
        return 1;
    logSoftwareRendererNote();
    while (!appShouldClose())
        appFrame(liveFrameInput());
    appShutdown();
    return 0;
}
