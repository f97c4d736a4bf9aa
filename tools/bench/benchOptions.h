// tools/bench/benchOptions.h
// The benchmark's own options; everything else on its command line goes to Google Benchmark.
#pragma once

#include <string>
#include <vector>

struct BenchOptions {
    int width = 1920;
    int height = 1080;
    int approachFps = 30;  // fixed step of the frames that play each scene up to its moment
    int scene = -1;        // one scene-table index, or -1 for every registered scene
    bool help = false;
    // JSON or CSV on standard output stays parseable: the summary table goes to standard error instead.
    bool summaryOnStderr = false;
};

// Takes out the options it knows and leaves the rest in passOn (argv[0] first). Returns an empty string
// on success, otherwise the message to print before exiting with status 2.
std::string parseBenchArgs(int argc, char** argv, BenchOptions& options, std::vector<char*>& passOn);

extern const char benchUsage[];
