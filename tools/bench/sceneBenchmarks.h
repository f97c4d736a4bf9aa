// tools/bench/sceneBenchmarks.h
// Per-scene GPU timings through the demo's own frame step, and the two floors they are read against.
#pragma once

#include <cstdio>

struct DemoApp;

// Registers one benchmark per registered scene, moment and ray count (or only the one scene given),
// then the floors. Needs the demo started with an off-screen target; the benchmarks play on it.
void registerSceneBenchmarks(DemoApp& app, int onlyScene, int approachFps);
void registerFloorBenchmarks(DemoApp& app);
// A Markdown table of every scene timing taken so far, for the README.
void printSceneSummary(FILE* out, const char* renderer, int width, int height);
