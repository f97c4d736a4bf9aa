// tools/bench/sceneBenchmarks.cpp
// Each scene is entered afresh and played on the fixed step up to a moment that shows its typical load;
// then the ray count is fixed and the frame's own timestamps give fill, GI and render milliseconds.
#include "sceneBenchmarks.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/demoApp.h"
#include "gpu/giState.h"
#include "scenes/sceneRegistry.h"
#include "sequencer/sceneSequence.h"

namespace {
constexpr int rayCounts[] = {1, 16};
constexpr int timedFrames = 3;

struct SceneTiming {
    std::string scene;
    float momentSec;
    int rays;
    double fillMs, giMs, renderMs;
};
std::vector<SceneTiming> timings;

// The approach casts one ray per cell: the light's history barely changes what a frame costs.
long playTo(int tableIndex, float momentSec, int fps)
{
    restoreSharedDefaults();
    currentSceneIndex = tableIndex;
    appFixRaysPerFrame(1);
    long frame = 0;
    for (; fixedStepInput(frame, fps).showTimeSec < momentSec; ++frame)
        appFrame(fixedStepInput(frame, fps));
    return frame;
}

void timeScene(benchmark::State& state, const SceneRow& row, float momentSec, int rays, int fps)
{
    SceneTiming timing{row.name, momentSec, rays, 0.0, 0.0, 0.0};
    for (auto _ : state) {
        long frame = playTo(row.tableIndex, momentSec, fps);
        appFixRaysPerFrame(rays);
        // Each frame reads the timestamps of the one before it, so the first timed values arrive a frame late.
        appFrame(fixedStepInput(frame++, fps));
        for (int i = 0; i < timedFrames; ++i) {
            appFrame(fixedStepInput(frame++, fps));
            timing.fillMs += gpuFillMs / timedFrames;
            timing.giMs += gpuGiMs / timedFrames;
            timing.renderMs += gpuRenderMs / timedFrames;
        }
        state.SetIterationTime((timing.fillMs + timing.giMs + timing.renderMs) / 1000.0);
    }
    appFixRaysPerFrame(0);
    state.counters["fill_ms"] = timing.fillMs;
    state.counters["gi_ms"] = timing.giMs;
    state.counters["render_ms"] = timing.renderMs;
    timings.push_back(timing);
}
}

void registerSceneBenchmarks(int onlyScene, int approachFps)
{
    for (const SceneRow& row : sceneRegistry()) {
        if (onlyScene >= 0 && row.tableIndex != onlyScene)
            continue;
        for (float momentSec : row.benchMomentsSec)
            for (int rays : rayCounts) {
                char name[96];
                snprintf(name, sizeof(name), "scene/%s/%.1fs/rays:%d", row.name, momentSec, rays);
                benchmark::RegisterBenchmark(name, [&row, momentSec, rays, approachFps](benchmark::State& state) {
                    timeScene(state, row, momentSec, rays, approachFps);
                })->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);
            }
    }
}

void printSceneSummary(const char* renderer, int width, int height)
{
    if (timings.empty())
        return;
    printf("\nGPU milliseconds per frame on %s at %dx%d, volume 128^3:\n\n", renderer, width, height);
    printf("| scene | moment | rays | fill | GI | render |\n|---|---|---|---|---|---|\n");
    for (const SceneTiming& t : timings)
        printf("| %s | %.1f s | %d | %.2f | %.2f | %.2f |\n", t.scene.c_str(), t.momentSec, t.rays, t.fillMs, t.giMs,
               t.renderMs);
}
