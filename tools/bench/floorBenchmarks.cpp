// tools/bench/floorBenchmarks.cpp
// Two lower bounds the scene timings are read against: storing every voxel once, and covering the target
// with one colour through the same full-screen triangle.
#include <GL/glew.h>
#include <benchmark/benchmark.h>

#include <functional>

#include "benchShaders.h"
#include "gpu/fillDispatch.h"
#include "gpu/programs.h"
#include "gpu/volumeResources.h"
#include "gpuStopwatch.h"
#include "sceneBenchmarks.h"
#include "shaderSources.h"

namespace {
void timeGpu(benchmark::State& state, unsigned program, const std::function<void()>& work)
{
    if (!program || !volume.volumeTex) {
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

void storeFloor(benchmark::State& state)
{
    unsigned program =
        buildComputeProgram("benchStoreFloor", {constants_glsl, vol_write_glsl, benchStoreFloor_glsl});
    timeGpu(state, program, [&] { dispatchFill(program, volume.volSize, 0.0f); });
    deleteProgram(program);
}

void colourFloor(benchmark::State& state)
{
    unsigned program = buildRaymarchProgram(raymarchVertex_glsl, benchColourFloor_glsl);
    GLuint vertexArray = 0;
    glGenVertexArrays(1, &vertexArray);
    timeGpu(state, program, [&] {
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

void registerFloorBenchmarks()
{
    benchmark::RegisterBenchmark("floor/storeVoxels", storeFloor)
        ->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
    benchmark::RegisterBenchmark("floor/fullScreenColour", colourFloor)
        ->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
}
