// tools/bench/benchOptions.cpp
#include "benchOptions.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "tools/common/argParsing.h"
#include "scenes/sceneRegistry.h"

const char benchUsage[] =
    "usage: lumenfold-bench [--size WxH] [--fps N] [--scene INDEX] [Google Benchmark options]\n"
    "  Plays each scene through the demo's own frame step up to its typical moments, then times fill, GI and\n"
    "  render on the GPU with the ray count fixed at 1 and at 16 and empty-space skipping off and on, and prints\n"
    "  a summary table. Benchmarks are named scene/NAME/MOMENT/skip:on|off/rays:N.\n"
    "  --size WxH     render target (default 1920x1080, the show's own)\n"
    "  --fps N        fixed step of the frames that lead up to each moment (default 30)\n"
    "  --scene INDEX  only this scene-table entry\n";

namespace {
// Google Benchmark opens its output file only after the whole run; a folder that cannot take it is refused first.
std::string checkOutputOption(const std::string& option)
{
    const std::string prefix = "--benchmark_out=";
    if (option.rfind(prefix, 0) != 0)
        return "";
    std::string path = option.substr(prefix.size());
    if (path.empty())
        return "--benchmark_out= needs a file name";
    size_t slash = path.rfind('/');
    std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    if (access(folder.c_str(), W_OK | X_OK) != 0)
        return "cannot write " + path + ": " + strerror(errno);
    return "";
}
}

std::string parseBenchArgs(int argc, char** argv, BenchOptions& options, std::vector<char*>& passOn)
{
    passOn = {argv[0]};
    for (int i = 1; i < argc; ++i) {
        std::string option = argv[i];
        if (option == "--help" || option == "-h") {
            options.help = true;
            continue;
        }
        if (option != "--size" && option != "--fps" && option != "--scene") {
            if (option.rfind("--benchmark_", 0) != 0)
                return "unknown option " + option;
            std::string error = checkOutputOption(option);
            if (!error.empty())
                return error;
            if (option.rfind("--benchmark_format=", 0) == 0)
                options.summaryOnStderr = option != "--benchmark_format=console";
            passOn.push_back(argv[i]);
            continue;
        }
        if (i + 1 >= argc)
            return option + " needs a value";
        const char* value = argv[++i];
        if (option == "--size" && !parseSizeArg(value, options.width, options.height))
            return std::string("--size needs WIDTHxHEIGHT such as 480x270, not ") + value;
        if (option == "--fps" && !parseIntArg(value, 1, 240, options.approachFps))
            return std::string("--fps needs a whole number from 1 to 240, not ") + value;
        if (option == "--scene" && !(parseIntArg(value, 0, 1000, options.scene) && sceneName(options.scene)))
            return std::string("unknown scene ") + value;
    }
    return "";
}
