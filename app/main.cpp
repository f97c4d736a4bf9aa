// app/main.cpp
// The demo: full screen, music, the whole playlist, then it closes by itself. Escape ends it early.
#include "app/demoApp.h"

int main()
{
    if (!appStartup(AppOptions()))
        return 1;
    while (!appShouldClose())
        appFrame(liveFrameInput());
    appShutdown();
    return 0;
}
