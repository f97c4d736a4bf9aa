// app/startOptions.cpp
#include "app/startOptions.h"

#include <cstring>

#include "app/demoApp.h"

const char startUsage[] =
    "usage: lumenfold [--windowed] [--help]\n"
    "  Plays the show full screen at 1920x1080, then closes by itself; Escape ends it early.\n"
    "  --windowed  a window instead of full screen: 1920x1080, or the largest 16:9 size the screen holds\n"
    "  --help      this text\n";

const char* parseStartOptions(int argc, const char* const* argv, AppOptions& options, bool& help)
{
    help = false;
    for (int i = 1; i < argc; ++i) {
        if (!strcmp(argv[i], "--windowed"))
            options.fullscreen = false;
        else if (!strcmp(argv[i], "--help"))
            help = true;
        else
            return argv[i];
    }
    return nullptr;
}
