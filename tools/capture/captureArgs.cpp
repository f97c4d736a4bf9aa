// tools/capture/captureArgs.cpp
#include "tools/capture/captureArgs.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <set>

#include "tools/common/argParsing.h"
#include "scenes/sceneRegistry.h"

namespace {
const char usageText[] =
    "usage: lumenfold-capture [--scene INDEX] [--at SECONDS] [--out FILE.png] [--fps N] [--size WxH] [--volume N]\n"
    "                         [--rays N] [--skipping on|off]\n"
    "       lumenfold-capture [--video FILE.mp4] [--sheet FILE.png --every SECONDS] [--from SECONDS] [--to SECONDS]\n"
    "                         [--fps N] [--size WxH] [--volume N] [--rays N] [--skipping on|off]\n"
    "  Renders the show off-screen on a fixed-step clock through the demo's own frame step, the beat grid\n"
    "  following the show time as if the music had started with it.\n"
    "  One picture:\n"
    "  --scene INDEX     enter this scene-table entry instead of the playlist's first (0..%d)\n"
    "  --at SECONDS      time after entering it, at most 3600 (default 0)\n"
    "  --out FILE        PNG file to write (default capture.png)\n"
    "  The show, always rendered from show time 0, written from --from on:\n"
    "  --video FILE.mp4  H.264 with the soundtrack from the working directory as AAC (needs ffmpeg)\n"
    "  --sheet FILE.png  a contact sheet, one tile labelled with scene and show time every --every seconds\n"
    "  --every SECONDS   the sheet's step\n"
    "  --from SECONDS    start of the range (default 0)\n"
    "  --to SECONDS      end of the range (default: the moment the window would close)\n"
    "  Both:\n"
    "  --fps N           fixed step; every frame up to the end is rendered (default 60)\n"
    "  --size WxH        picture or tile size in pixels (default 480x270); even for --video\n"
    "  --volume N        voxels per cube edge for every scene, 16 to 128 (default 128); smaller is a fast preview\n"
    "  --rays N          GI rays per cell and frame, 1 to 256, instead of the scenes' own steered by the frame\n"
    "                    time; fixed, the picture does not depend on the machine's speed\n"
    "  --skipping on|off the GI rays and the raymarch cross empty bricks in one jump (default on); off takes\n"
    "                    every step, the reference the skipping must match\n";
}

std::string captureUsage()
{
    char text[sizeof(usageText) + 16];
    snprintf(text, sizeof(text), usageText, sceneSlotCount() - 1);
    return text;
}

namespace {
bool parseSeconds(const char* text, double& value)
{
    char* end = nullptr;
    value = strtod(text, &end);
    return end != text && !*end && value >= 0.0 && value <= captureMaxSec;
}

// Options that only make sense together; checked once every option is read.
std::string checkCombination(const CaptureArgs& args, const std::set<std::string>& given)
{
    if (args.showCapture()) {
        for (const char* option : {"--scene", "--at", "--out"})
            if (given.count(option))
                return std::string(option) + " makes a single picture; it does not combine with --video or --sheet";
    } else {
        for (const char* option : {"--from", "--to", "--every"})
            if (given.count(option))
                return std::string(option) + " needs --video or --sheet";
    }
    if (!args.sheet.empty() && !given.count("--every"))
        return "--sheet needs --every SECONDS";
    if (args.sheet.empty() && given.count("--every"))
        return "--every needs --sheet";
    if (given.count("--every") && args.everySec * args.fps < 1.0 - 1e-9)
        return "--every must be at least one frame step (1/fps seconds)";
    if (args.toSec >= 0.0 && args.toSec <= args.fromSec)
        return "--to must come after --from";
    if (!args.video.empty() && (args.width % 2 || args.height % 2))
        return "--video needs an even width and height (H.264 in yuv420p), not " + std::to_string(args.width) + "x" +
               std::to_string(args.height);
    return "";
}
}

std::string parseCaptureArgs(int argc, const char* const* argv, CaptureArgs& args)
{
    static const std::set<std::string> options = {"--scene", "--at",    "--fps",   "--size",     "--volume",
                                                  "--out",   "--video", "--sheet", "--from",     "--to",
                                                  "--every", "--rays",  "--skipping"};
    std::set<std::string> given;
    for (int i = 1; i < argc; ++i) {
        std::string option = argv[i];
        if (option == "--help" || option == "-h") {
            args.help = true;
            continue;
        }
        if (!options.count(option))
            return "unknown option " + option;
        if (i + 1 >= argc)
            return option + " needs a value";
        given.insert(option);
        const char* value = argv[++i];
        if (option == "--scene") {
            if (!parseIntArg(value, 0, sceneSlotCount() - 1, args.scene))
                return std::string("unknown scene ") + value + " (scene-table indices are 0.." +
                       std::to_string(sceneSlotCount() - 1) + ")";
        } else if (option == "--at" || option == "--from" || option == "--to" || option == "--every") {
            double& seconds = option == "--at"     ? args.atSec
                              : option == "--from" ? args.fromSec
                              : option == "--to"   ? args.toSec
                                                   : args.everySec;
            if (!parseSeconds(value, seconds))
                return option + " needs a time from 0 to 3600 seconds, not " + value;
        } else if (option == "--fps") {
            if (!parseIntArg(value, 1, 1000, args.fps))
                return std::string("--fps needs a whole number from 1 to 1000, not ") + value;
        } else if (option == "--size") {
            if (!parseSizeArg(value, args.width, args.height))
                return std::string("--size needs WIDTHxHEIGHT such as 480x270, not ") + value;
        } else if (option == "--skipping") {
            if (std::string(value) != "on" && std::string(value) != "off")
                return std::string("--skipping needs on or off, not ") + value;
            args.skipping = std::string(value) == "on";
        } else if (option == "--rays") {
            if (!parseIntArg(value, 1, 256, args.rays))
                return std::string("--rays needs a whole number from 1 to 256, not ") + value;
        } else if (option == "--volume") {
            if (!parseIntArg(value, 16, 128, args.volSize))
                return std::string("--volume needs a whole number from 16 to 128, not ") + value;
        } else {
            if (!*value)
                return option + " needs a file name";
            (option == "--out" ? args.out : option == "--video" ? args.video : args.sheet) = value;
        }
    }
    return checkCombination(args, given);
}

int captureFrameCount(double atSec, int fps)
{
    // The small epsilon keeps 0.1 s at 10 fps from losing its frame to rounding.
    return (int)std::floor(atSec * fps + 1e-6) + 1;
}

AppOptions captureAppOptions(const CaptureArgs& args)
{
    // The beat grid runs on the fixed step as if the music had started with the show.
    AppOptions options = offscreenAppOptions(args.width, args.height);
    options.volumeOverride = args.volSize;
    options.emptySpaceSkipping = args.skipping;
    options.fixedRaysPerFrame = args.rays;
    options.startScene = args.scene;
    return options;
}
