// tools/bench/sceneBenchmarks.cpp
// Each scene is entered afresh and played on the fixed step up to a moment that shows its typical load;
// then the ray count is fixed and the frame's own timestamps give fill, occupancy, GI and render milliseconds,
// with empty-space skipping off and on.
#include "sceneBenchmarks.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/demoApp.h"
#include "scenes/sceneRegistry.h"

namespace {
constexpr int rayCounts[] = {1, 16};
constexpr int timedFrames = 3;

struct SceneTiming {
    double fillMs = 0.0, occupancyMs = 0.0, giMs = 0.0, renderMs = 0.0;
    double frameMs() const { return fillMs + occupancyMs + giMs + renderMs; }
};

// One summary row: a scene moment at one ray count, timed with skipping off, on, or both.
struct SceneRowTiming {
    std::string scene;
    float momentSec;
    int rays;
    bool timed[2] = {false, false};  // indexed by skipping
    SceneTiming timing[2];
};
std::vector<SceneRowTiming> timings;

// The approach casts one ray per cell: the light's history barely changes what a frame costs.
long playTo(DemoApp& app, int tableIndex, float momentSec, int fps)
{
    app.options.fixedRaysPerFrame = 1;
    appStartShow(app, tableIndex);
    long frame = 0;
    for (; fixedStepInput(frame, fps).showTimeSec < momentSec; ++frame)
        appFrame(app, fixedStepInput(frame, fps));
    return frame;
}

void timeScene(benchmark::State& state, DemoApp& app, const SceneRow& row, float momentSec, int rays, bool skipping,
               int fps)
{
    SceneTiming timing;
    for (auto _ : state) {
        // The approach always skips, which leaves the same scene and light either way, only sooner.
        app.gpu.emptySpaceSkipping = true;
        long frame = playTo(app, row.tableIndex, momentSec, fps);
        app.gpu.emptySpaceSkipping = skipping;
        app.show->config.fixedRaysPerFrame = rays;
        // A GPU may report a frame's times a frame or two late: the first frame at these settings is not timed.
        appFrame(app, fixedStepInput(frame++, fps));
        for (int i = 0; i < timedFrames; ++i) {
            appFrame(app, fixedStepInput(frame++, fps));
            const GpuTimes& times = app.previousGpuTimes;
            timing.fillMs += times.fillMs / timedFrames;
            timing.occupancyMs += times.occupancyMs / timedFrames;
            timing.giMs += times.giMs / timedFrames;
            timing.renderMs += times.renderMs / timedFrames;
        }
        state.SetIterationTime(timing.frameMs() / 1000.0);
    }
    app.options.fixedRaysPerFrame = 0;
    app.gpu.emptySpaceSkipping = true;
    state.counters["fill_ms"] = timing.fillMs;
    state.counters["occupancy_ms"] = timing.occupancyMs;
    state.counters["gi_ms"] = timing.giMs;
    state.counters["render_ms"] = timing.renderMs;
    auto same = [&](const SceneRowTiming& t) { return t.scene == row.name && t.momentSec == momentSec && t.rays == rays; };
    auto found = std::find_if(timings.begin(), timings.end(), same);
    if (found == timings.end())
        found = timings.insert(timings.end(), SceneRowTiming{row.name, momentSec, rays, {false, false}, {}});
    found->timed[skipping] = true;
    found->timing[skipping] = timing;
}

std::string formatMs(const SceneRowTiming& row, bool skipping, double SceneTiming::*ms)
{
    char text[32] = "-";
    if (row.timed[skipping])
        snprintf(text, sizeof(text), "%.2f", row.timing[skipping].*ms);
    return text;
}

std::string formatRatio(const SceneRowTiming& row, double off, double on)
{
    char text[32] = "-";
    if (row.timed[0] && row.timed[1] && on > 0.0)
        snprintf(text, sizeof(text), "%.2f", off / on);
    return text;
}
}

void registerSceneBenchmarks(DemoApp& app, int onlyScene, int approachFps)
{
    for (const SceneRow& row : sceneRegistry()) {
        if (onlyScene >= 0 && row.tableIndex != onlyScene)
            continue;
        for (float momentSec : row.benchMomentsSec)
            for (int rays : rayCounts)
                for (bool skipping : {false, true}) {
                    char name[96];
                    snprintf(name, sizeof(name), "scene/%s/%.1fs/skip:%s/rays:%d", row.name, momentSec,
                             skipping ? "on" : "off", rays);
                    benchmark::RegisterBenchmark(name, [&app, &row, momentSec, rays, skipping, approachFps](
                                                           benchmark::State& state) {
                        timeScene(state, app, row, momentSec, rays, skipping, approachFps);
                    })->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);
                }
    }
}

void printSceneSummary(FILE* out, const char* renderer, int width, int height)
{
    if (timings.empty())
        return;
    fprintf(out, "\nGPU milliseconds per frame on %s at %dx%d, volume 128^3, with empty-space skipping off and on;\n"
           "x is how many times faster skipping makes it (the whole frame's with the occupancy pass):\n\n",
           renderer, width, height);
    fprintf(out, "| scene | moment | rays | fill | occupancy | GI off | GI on | x | render off | render on | x | frame x |\n"
           "|---|---|---|---|---|---|---|---|---|---|---|---|\n");
    for (const SceneRowTiming& row : timings) {
        const SceneTiming& off = row.timing[0];
        const SceneTiming& on = row.timing[1];
        fprintf(out, "| %s | %.1f s | %d | %.2f | %s | %s | %s | %s | %s | %s | %s | %s |\n", row.scene.c_str(),
               row.momentSec, row.rays, row.timing[row.timed[1]].fillMs,
               formatMs(row, true, &SceneTiming::occupancyMs).c_str(), formatMs(row, false, &SceneTiming::giMs).c_str(),
               formatMs(row, true, &SceneTiming::giMs).c_str(), formatRatio(row, off.giMs, on.giMs).c_str(),
               formatMs(row, false, &SceneTiming::renderMs).c_str(), formatMs(row, true, &SceneTiming::renderMs).c_str(),
               formatRatio(row, off.renderMs, on.renderMs).c_str(),
               formatRatio(row, off.frameMs() - off.occupancyMs, on.frameMs()).c_str());
    }
}
