// scenes/sceneFog.cpp
// Five wall rigs, 0 "Ceiling", 1 "Floor Warm", 2 "Side Blue", 3 "Cold+Warm" and 4 "Moon"; one round ends the scene.
#include "scenes/sceneFog.h"

#include <cmath>

#include "audio/beat.h"
#include "gpu/constants.h"
#include "gpu/fillDispatch.h"
#include "gpu/giState.h"
#include "gpu/renderSettings.h"
#include "sequencer/camera.h"
#include "sequencer/labels.h"
#include "sequencer/sharedCallbacks.h"

namespace {
const TimedLabel fogLabels[] = {{"fractional", 4.0f}, {"brownian", 7.0f}, {"supra", 10.0f}, {"conductivity", 13.0f}};

void darkWalls()
{
    for (int face = faceNegX; face < faceCount; ++face)
        setWallFace(face, 0.15f, 0.15f, 0.18f, 0.0f, 1.0f);
}

void applyLightRig(int light)
{
    darkWalls();
    switch (light) {
    case 0:
        setWallFace(facePosY, 0.9f, 0.9f, 0.95f, 3.0f, 1.0f);
        break;
    case 1:
        setWallFace(faceNegY, 1.0f, 0.6f, 0.2f, 4.0f, 1.0f);
        break;
    case 2:
        setWallFace(faceNegX, 0.3f, 0.5f, 1.0f, 5.0f, 1.0f);
        break;
    case 3:
        setWallFace(facePosY, 0.4f, 0.6f, 1.0f, 3.0f, 1.0f);
        setWallFace(faceNegY, 1.0f, 0.5f, 0.15f, 3.0f, 1.0f);
        break;
    default:
        break;  // the moon is drawn on the back wall by the fill shader
    }
}
}

void cSceneFog::enter()
{
    renderSettings = RenderSettings{};
    aimCamera(2.79f, 0.06f, 2.7f);
    baseYaw = 2.79f;

    darkWalls();
    uploadConstants();

    renderSettings.gamma = 1.88f;
    // Each GI pass adds only 1 %, so the light over the moving fog averages over many frames.
    renderSettings.giBlend = 0.01f;
    currentLight = -1;
    cycleCount = 0;

    clearLabels();
    setTimedLabels(fogLabels, (int)(sizeof(fogLabels) / sizeof(fogLabels[0])));
    beginScript();
    timeline.phases.push_back(waitTransitionPhase(*this));
    // Open-ended: update() ends it after one round of the rigs.
    timeline.phases.push_back(Phase{"default", -1.0f, {}, {}});
    startTimeline(timeline);
}

int cSceneFog::lightIndex() const
{
    return (int)((float)sceneTime() / secondsPerLight) % 5;
}

void cSceneFog::update()
{
    updateTimeline(timeline);
    // Counted from the scene time rather than from the moon giving way to the ceiling, so a frame slower than
    // a rig, which skips rigs, still ends the round.
    int cycles = (int)((float)sceneTime() / secondsPerLight) / 5;
    if (cycles > cycleCount) {
        cycleCount = cycles;
        advancePhase(timeline);
    }
    int light = lightIndex();
    if (light != currentLight) {
        currentLight = light;
        applyLightRig(light);
        uploadConstants();
        giResetRequested = true;
        // The moon hangs on the back wall: bring a camera that looks from far round back to it.
        if (light == 4 && std::fabs(cameraYaw - baseYaw) > 2.5f)
            cameraYaw = baseYaw;
    }
    if (beatFlag) {
        jitterSeed = jitterSeed * 1103515245u + 12345u;
        uint32_t r = jitterSeed >> 16;
        // Under the moon the camera turns at most a quarter turn, so it never looks from behind the wall.
        static const float moonOffsets[3] = {0.0f, -1.5708f, 1.5708f};
        static const float offsets[4] = {0.0f, -1.5707964f, 1.5707964f, 3.1415927f};
        cameraYaw = baseYaw + (light == 4 ? moonOffsets[r % 3] : offsets[r & 3]);
    }
}

void cSceneFog::resetRun()
{
    jitterSeed = 42;
}

void cSceneFog::fill(int volSize)
{
    dispatchFill(fillProgram, volSize, (float)sceneTime(), [this](const FillUniforms& u) {
        u.setInt("lightMode", lightIndex());
        u.setFloat("fogThresholdP", fogThresholdP);
        u.setFloat("fogMaskCutP", fogMaskCutP);
        u.setFloat("fogDensityMulP", fogDensityMulP);
        u.setFloat("fogMaxDensityP", fogMaxDensityP);
        u.setFloat("fogAdvStrP", fogAdvStrP);
        u.setFloat("fogFreqP", fogFreqP);
        u.setInt("fogAlgo", fogAlgo);
    });
}
