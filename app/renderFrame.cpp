// app/renderFrame.cpp
// Reads like the frame it draws: a flat list of passes, each a call that says what it does.
#include "app/renderFrame.h"

#include <GL/glew.h>

#include "app/offscreenTarget.h"
#include "app/userInterface.h"
#include "app/windowContext.h"
#include "gpu/fillDispatch.h"
#include "gpu/giPass.h"
#include "gpu/gpu.h"
#include "gpu/occupancy.h"
#include "gpu/renderer.h"
#include "overlay/overlay.h"
#include "show/framePlan.h"

namespace {
template <class Pass>
void gpuPass(Gpu& gpu, int stage, Pass pass)
{
    beginGpuStage(gpu.timing, stage);
    pass();
    endGpuStage(gpu.timing, stage);
}

// The state the overlay's fixed-function renderer expects after the passes.
void restoreNeutralState(int width, int height)
{
    glUseProgram(0);
    glBindVertexArray(0);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_3D, 0);
    glBindTexture(GL_TEXTURE_2D, 0);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glViewport(0, 0, width, height);
}
}

GpuTimes renderFrame(Gpu& gpu, const FramePlan& plan)
{
    int width = 0, height = 0;
    bindFrameTarget(width, height);
    glViewport(0, 0, width, height);
    checkVolumeResources(gpu.volume, plan.volSize);
    beginGpuTiming(gpu.timing);
    gpuPass(gpu, stageFill, [&] {
        if (plan.fill.run)
            dispatchFill(gpu, plan.fill);
    });
    // Only a new fill changes what the marches may skip.
    gpuPass(gpu, stageOccupancy, [&] {
        if (plan.fill.run)
            updateOccupancy(gpu);
    });
    gpuPass(gpu, stageGi, [&] {
        writeConstants(gpu.buffers, plan.constants);
        runGiFrame(gpu, plan.gi);
    });
    gpuPass(gpu, stageDraw, [&] { drawFrameVolume(gpu, plan.draw); });
    flipGpuTimingSets(gpu.timing);
    restoreNeutralState(width, height);
    beginUiFrame();
    drawCaptions(plan.captions);
    renderUiFrame();
    presentFrame();
    return pollGpuTimes(gpu.timing);
}
