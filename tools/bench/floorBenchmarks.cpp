// tools/bench/floorBenchmarks.cpp
// Two lower bounds the scene timings are read against: storing every voxel once, and covering the target
// with one colour through the same full-screen triangle.
#include <GL/glew.h>
#include <benchmark/benchmark.h>

#include <functional>

#include "benchShaders.h"
#include "app/demoApp.h"
#include "gpu/fillDispatch.h"
#include "gpu/programs.h"
#include "gpuStopwatch.h"
#include "sceneBenchmarks.h"
#include "shaderSources.h"

namespace {
void timeGpu(benchmark::State& state, const Gpu& gpu, unsigned program, const std::function<void()>& work)
{
    if (!program || !gpu.volume.volumeTex) {
        state.SkipWithError("the floor program failed to build, or no frame has created the volume");
        return;
    }
    cGpuStopwatch stopwatch;
    double totalMs = 0.0;
    for (auto _ : state) {
        stopwatch.start();
        work();
        double ms = stopwatch.stopMs();
        totalMs += ms;
        state.SetIterationTime(ms / 1000.0);
    }
    state.counters["gpu_ms"] = benchmark::Counter(totalMs / (double)state.iterations());
}

void storeFloor(benchmark::State& state, Gpu& gpu)
{
    FillProgram program = buildFillProgram({"benchStoreFloor", {constants_glsl, vol_write_glsl, benchStoreFloor_glsl}});
    FillPlan plan;
    plan.volSize = gpu.volume.volSize;
    timeGpu(state, gpu, program.handle, [&] { dispatchFillProgram(gpu, program, plan); });
    deleteProgram(program.handle);
}

void colourFloor(benchmark::State& state, Gpu& gpu)
{
    unsigned program = buildRaymarchProgram(raymarchVertex_glsl, benchColourFloor_glsl);
    GLuint vertexArray = 0;
    glGenVertexArrays(1, &vertexArray);
    timeGpu(state, gpu, program, [&] {
        glUseProgram(program);
        glBindVertexArray(vertexArray);
        glDrawArrays(GL_TRIANGLES, 0, 3);
        glBindVertexArray(0);
        glUseProgram(0);
    });
    glDeleteVertexArrays(1, &vertexArray);
    deleteProgram(program);
}
}

void registerFloorBenchmarks(DemoApp& app)
{
    Gpu& gpu = app.gpu;
    benchmark::RegisterBenchmark("floor/storeVoxels", [&gpu](benchmark::State& state) { storeFloor(state, gpu); })
        ->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
    benchmark::RegisterBenchmark("floor/fullScreenColour", [&gpu](benchmark::State& state) { colourFloor(state, gpu); })
        ->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
}
