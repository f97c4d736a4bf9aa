// tools/bench/passBenchmarks.cpp
// GPU time of the fill, GI and raymarch passes on a representative 128^3 volume, beside two floors that
// show what storing the volume and covering the screen cost by themselves.
#include <GL/glew.h>
#include <benchmark/benchmark.h>

#include <functional>

#include "benchShaders.h"
#include "gpu/constants.h"
#include "gpu/fillDispatch.h"
#include "gpu/giPass.h"
#include "gpu/programs.h"
#include "gpu/renderSettings.h"
#include "gpu/renderer.h"
#include "gpu/viewLayouts.h"
#include "gpu/volumeResources.h"
#include "gpuStopwatch.h"
#include "sequencer/camera.h"
#include "shaderSources.h"

namespace {
constexpr int benchVolSize = 128;

struct {
    GLuint fill = 0;
    GLuint storeFloor = 0;
    GLuint colourFloor = 0;
} benchPrograms;

// One off-screen colour target of the size under test.
class cBenchTarget {
public:
    cBenchTarget(int width, int height)
    {
        glGenTextures(1, &colour);
        glBindTexture(GL_TEXTURE_2D, colour);
        glTexStorage2D(GL_TEXTURE_2D, 1, GL_RGBA8, width, height);
        glBindTexture(GL_TEXTURE_2D, 0);
        glGenFramebuffers(1, &framebuffer);
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, colour, 0);
        glViewport(0, 0, width, height);
    }
    ~cBenchTarget()
    {
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        if (framebuffer) {
            glDeleteFramebuffers(1, &framebuffer);
            framebuffer = 0;
        }
        if (colour) {
            glDeleteTextures(1, &colour);
            colour = 0;
        }
    }
    cBenchTarget(const cBenchTarget&) = delete;
    cBenchTarget& operator=(const cBenchTarget&) = delete;

private:
    GLuint framebuffer = 0;
    GLuint colour = 0;
};

// Builds the programs and a lit volume once, on the first benchmark that needs them.
bool ensureBenchScene()
{
    static bool ready = false;
    if (ready)
        return true;
    createUniformBuffers();
    programs.updateGI = compileComputeProgram(updateGI_glsl, "updateGI");
    programs.giCopy = compileComputeProgram(giCopy_glsl, "giCopy");
    programs.raymarch = buildRaymarchProgram(raymarchVertex_glsl, raymarchFragment_glsl);
    benchPrograms.fill = buildComputeProgram("benchFill", {noise_glsl, vol_write_glsl, benchFill_glsl});
    benchPrograms.storeFloor = buildComputeProgram("benchStoreFloor", {vol_write_glsl, benchStoreFloor_glsl});
    benchPrograms.colourFloor = buildRaymarchProgram(raymarchVertex_glsl, benchColourFloor_glsl);
    checkVolumeResources(benchVolSize);
    gpuConstants.vwFaces[facePosY].emissivity = 2.0f;
    uploadConstants();
    writeFrameConstants();
    dispatchFill(benchPrograms.fill, benchVolSize, 0.0f);
    runGiPass(volume.giSize, benchVolSize, 0, 1.0f, 1);
    runGiCopy(volume.giSize);
    glFinish();
    ready = programs.updateGI && programs.giCopy && programs.raymarch && benchPrograms.fill &&
            benchPrograms.storeFloor && benchPrograms.colourFloor;
    return ready;
}

void timeGpu(benchmark::State& state, const std::function<void()>& work)
{
    if (!ensureBenchScene()) {
        state.SkipWithError("a benchmark program failed to build");
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

ViewsUBO mainViews(int width, int height)
{
    ViewSetup setup{};
    setup.mainBasis = buildCameraBasis(cameraYaw, cameraPitch, cameraDistance);
    satelliteAngles(0.0, cameraYaw, cameraPitch, setup.yaws, setup.pitches);
    setup.viewDistance = cameraDistance;
    setup.volSize = benchVolSize;
    setup.width = width;
    setup.height = height;
    setup.gamma = renderSettings.gamma;
    return buildViews(setup, 0);
}

void fill128(benchmark::State& state)
{
    float t = 0.0f;
    timeGpu(state, [&] { dispatchFill(benchPrograms.fill, benchVolSize, t += 0.016f); });
}

void storeFloor128(benchmark::State& state)
{
    timeGpu(state, [] { dispatchFill(benchPrograms.storeFloor, benchVolSize, 0.0f); });
}

void gi128(benchmark::State& state)
{
    int rays = (int)state.range(0);
    unsigned frameId = 1;
    timeGpu(state, [&] {
        runGiPass(volume.giSize, benchVolSize, frameId++, 0.3f, rays);
        runGiCopy(volume.giSize);
    });
}

void raymarch(benchmark::State& state)
{
    int width = (int)state.range(0), height = (int)state.range(1);
    cBenchTarget target(width, height);
    ViewsUBO views = mainViews(width, height);
    timeGpu(state, [&] { drawFrameVolume(views); });
}

void colourFloor(benchmark::State& state)
{
    int width = (int)state.range(0), height = (int)state.range(1);
    cBenchTarget target(width, height);
    GLuint vertexArray = 0;
    glGenVertexArrays(1, &vertexArray);
    timeGpu(state, [&] {
        glUseProgram(benchPrograms.colourFloor);
        glBindVertexArray(vertexArray);
        glDrawArrays(GL_TRIANGLES, 0, 3);
        glBindVertexArray(0);
        glUseProgram(0);
    });
    glDeleteVertexArrays(1, &vertexArray);
}
}

// llvmpipe runs these on the CPU: few iterations keep a run within minutes.
BENCHMARK(fill128)->Name("fill/noise/128")->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(storeFloor128)->Name("floor/storeVoxels/128")->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(gi128)->Name("gi/128/rays")->Arg(1)->Arg(4)->Arg(16)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(raymarch)->Name("raymarch")->Args({1920, 1080})->Args({480, 270})->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(colourFloor)->Name("floor/fullScreenColour")->Args({1920, 1080})->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
