// app/frameStep.cpp
// The frame step as a flat list of passes in their order; each GPU pass runs between its stage's timestamps.
#include "app/frameStep.h"

#include <GL/glew.h>

#include "app/demoApp.h"
#include "app/offscreenTarget.h"
#include "app/windowContext.h"
#include "audio/beat.h"
#include "gpu/giPass.h"
#include "gpu/giState.h"
#include "gpu/gpuTimer.h"
#include "gpu/occupancy.h"
#include "gpu/rayBudget.h"
#include "gpu/renderSettings.h"
#include "gpu/renderer.h"
#include "gpu/volumeResources.h"
#include "overlay/overlay.h"
#include "sequencer/camera.h"
#include "sequencer/demoClock.h"
#include "sequencer/sceneBase.h"
#include "sequencer/sceneSequence.h"

namespace {
struct {
    bool drawing = true;
    bool filled = false;
    int width = 0, height = 0;  // last seen target size
    int volumeOverride = 0;
    int fixedRaysPerFrame = 0;
    GiFrame gi{};
} step;

template <class Pass>
void gpuPass(int stage, Pass pass)
{
    if (!step.drawing)
        return;
    beginGpuStage(stage);
    pass();
    endGpuStage(stage);
}

// GL work outside the timed stages: the target, the timing sets, the neutral state, the overlay, the swap.
template <class Work>
void drawingOnly(Work work)
{
    if (step.drawing)
        work();
}

int frameVolSize()
{
    return step.volumeOverride > 0 ? step.volumeOverride : renderSettings.volSize;
}

// The viewport follows the target's size, and the volume textures this frame's volSize.
void prepareTarget()
{
    int width = 0, height = 0;
    bindFrameTarget(width, height);
    if (width != step.width || height != step.height) {
        step.width = width;
        step.height = height;
        glViewport(0, 0, width, height);
    }
    if (checkVolumeResources(frameVolSize()))
        giFrameId = 0;
}

// Only the running average refills the volume; the other modes hold it, and its occupancy, still.
void fillVolume()
{
    step.filled = giAccumMode == giRunningAverage && currentScene;
    if (step.filled)
        currentScene->fill(frameVolSize());
}

void refreshOccupancy()
{
    if (step.filled)
        updateOccupancy();
}

void lightVolume()
{
    runGiFrame(step.gi, step.fixedRaysPerFrame > 0 ? step.fixedRaysPerFrame : renderSettings.raysPerFrame);
}

void drawViews()
{
    ViewSetup setup;
    setup.mainBasis = buildCameraBasis(cameraYaw, cameraPitch, mainCameraDistance(cameraDistance, cameraKick));
    satelliteAngles(demoClock(), cameraYaw, cameraPitch, setup.yaws, setup.pitches);
    setup.viewDistance = viewCameraDistance(cameraDistance, cameraKick);
    setup.volSize = frameVolSize();
    setup.width = step.width;
    setup.height = step.height;
    setup.gamma = renderSettings.gamma;
    setup.refraction = renderSettings.refraction;
    setup.hihatPulse = hihatPulse;
    drawFrameVolume(buildViews(setup, viewLayout));
}

void restoreNeutralState()
{
    glUseProgram(0);
    glBindVertexArray(0);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_3D, 0);
    glBindTexture(GL_TEXTURE_2D, 0);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glViewport(0, 0, step.width, step.height);
}

// With the rays fixed by the driver the controller holds still, so nothing a script reads from it depends on how
// fast this machine happens to be.
void steerRayBudget()
{
    if (step.fixedRaysPerFrame == 0)
        stepRayBudgetController();
}

void drawOverlay()
{
    overlayPass(step.width, step.height);
}
}

bool frameStep(const FrameInput& input, bool drawing)
{
    step.drawing = drawing;
    setDemoClock(input.showTimeSec);
    trackBeat((float)input.musicTimeSec);
    drawingOnly(prepareTarget);
    if (applySceneSwitch())
        giFrameId = 0;
    drawingOnly(beginGpuTiming);
    gpuPass(stageFill, fillVolume);
    gpuPass(stageOccupancy, refreshOccupancy);
    bool showOver = stepSequencer();
    step.gi = planGiFrame(renderSettings.giBlend);
    gpuPass(stageGi, lightVolume);
    gpuPass(stageDraw, drawViews);
    drawingOnly(flipGpuTimingSets);
    drawingOnly(restoreNeutralState);
    steerRayBudget();
    drawingOnly(drawOverlay);
    drawingOnly(presentFrame);
    decayPulses();
    return showOver;
}

void setFrameVolumeOverride(int volSize)
{
    step.volumeOverride = volSize;
}

void appFrame(const FrameInput& input)
{
    if (frameStep(input, true))
        askWindowToClose();
}

void appFixRaysPerFrame(int rays)
{
    step.fixedRaysPerFrame = rays;
}

bool rehearseFrame(const FrameInput& input)
{
    return frameStep(input, false);
}

long countShowFrames(int fps, long limitFrames)
{
    resetRun();
    long frames = -1;
    for (long frame = 0; frame < limitFrames && frames < 0; ++frame)
        if (rehearseFrame(fixedStepInput(frame, fps)))
            frames = frame + 1;
    // The next show, drawn or counted, starts from the same state as this one did.
    resetRun();
    return frames;
}
