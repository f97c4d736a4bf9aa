// app/captureArgs.cpp
#include "app/captureArgs.h"

#include <cmath>
#include <cstdlib>

#include "app/argParsing.h"
#include "sequencer/sceneSequence.h"

const char captureUsage[] =
    "usage: lumenfold-capture [--scene INDEX] [--at SECONDS] [--fps N] [--size WxH] [--volume N] [--out FILE.png]\n"
    "  Renders the show off-screen on a fixed-step clock and writes the frame at the given moment.\n"
    "  --scene INDEX  enter this scene-table entry instead of the playlist's first (0..9)\n"
    "  --at SECONDS   time after entering it, at most 3600 (default 0)\n"
    "  --fps N        fixed step; every frame up to the moment is rendered (default 60)\n"
    "  --size WxH     picture size in pixels (default 480x270)\n"
    "  --volume N     voxels per cube edge for every scene, 16 to 128 (default 128); smaller is a fast preview\n"
    "  --out FILE     PNG file to write (default capture.png)\n";

std::string parseCaptureArgs(int argc, const char* const* argv, CaptureArgs& args)
{
    for (int i = 1; i < argc; ++i) {
        std::string option = argv[i];
        if (option == "--help" || option == "-h") {
            args.help = true;
            continue;
        }
        if (option != "--scene" && option != "--at" && option != "--fps" && option != "--size" && option != "--volume" &&
            option != "--out")
            return "unknown option " + option;
        if (i + 1 >= argc)
            return option + " needs a value";
        const char* value = argv[++i];
        if (option == "--scene") {
            if (!parseIntArg(value, 0, sceneTableSize - 1, args.scene))
                return std::string("unknown scene ") + value + " (scene-table indices are 0.." +
                       std::to_string(sceneTableSize - 1) + ")";
        } else if (option == "--at") {
            char* end = nullptr;
            args.atSec = strtod(value, &end);
            if (end == value || *end || !(args.atSec >= 0.0 && args.atSec <= captureMaxSec))
                return std::string("--at needs a time from 0 to 3600 seconds, not ") + value;
        } else if (option == "--fps") {
            if (!parseIntArg(value, 1, 1000, args.fps))
                return std::string("--fps needs a whole number from 1 to 1000, not ") + value;
        } else if (option == "--size") {
            if (!parseSizeArg(value, args.width, args.height))
                return std::string("--size needs WIDTHxHEIGHT such as 480x270, not ") + value;
        } else if (option == "--volume") {
            if (!parseIntArg(value, 16, 128, args.volSize))
                return std::string("--volume needs a whole number from 16 to 128, not ") + value;
        } else {
            if (!*value)
                return "--out needs a file name";
            args.out = value;
        }
    }
    return "";
}

int captureFrameCount(double atSec, int fps)
{
    // The small epsilon keeps 0.1 s at 10 fps from losing its frame to rounding.
    return (int)std::floor(atSec * fps + 1e-6) + 1;
}
