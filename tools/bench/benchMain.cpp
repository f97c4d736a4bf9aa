// tools/bench/benchMain.cpp
// Starts the demo's own pipeline in a hidden window with an off-screen target, runs the scene and floor
// benchmarks with the renderer named in the report, and prints the summary table (to standard error when the
// report on standard output is JSON or CSV).
#include <GL/glew.h>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/demoApp.h"
#include "benchOptions.h"
#include "sceneBenchmarks.h"

int main(int argc, char** argv)
{
    BenchOptions options;
    std::vector<char*> passOn;
    std::string error = parseBenchArgs(argc, argv, options, passOn);
    if (!error.empty()) {
        fprintf(stderr, "lumenfold-bench: %s\n%s", error.c_str(), benchUsage);
        return 2;
    }
    if (options.help) {
        fputs(benchUsage, stdout);
        return 0;
    }

    // Google Benchmark takes the flags it knows out of the list; any left are not its own.
    int passOnCount = (int)passOn.size();
    benchmark::Initialize(&passOnCount, passOn.data());
    if (passOnCount > 1) {
        fprintf(stderr, "lumenfold-bench: unknown option or bad value %s\n%s", passOn[1], benchUsage);
        return 2;
    }

    DemoApp app;
    if (!appStartup(app, offscreenAppOptions(options.width, options.height)))
        return appStartupFailureStatus();
    std::string renderer = (const char*)glGetString(GL_RENDERER);
    benchmark::AddCustomContext("gl_renderer", renderer);
    benchmark::AddCustomContext("gl_version", (const char*)glGetString(GL_VERSION));
    registerSceneBenchmarks(app, options.scene, options.approachFps);
    registerFloorBenchmarks(app);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    printSceneSummary(options.summaryOnStderr ? stderr : stdout, renderer.c_str(), options.width, options.height);
    appShutdown(app);
    return 0;
}
