// scenes/sceneFog.cpp
// Five wall rigs, 0 "Ceiling", 1 "Floor Warm", 2 "Side Blue", 3 "Cold+Warm" and 4 "Moon"; one round ends the scene.
#include "scenes/sceneFog.h"

#include <cmath>

#include "sequencer/sharedCallbacks.h"
#include "sequencer/showState.h"

namespace {
const TimedLabel fogLabels[] = {{"fractional", 4.0f}, {"brownian", 7.0f}, {"supra", 10.0f}, {"conductivity", 13.0f}};

void darkWalls(WallLights& walls)
{
    for (int face = faceNegX; face < faceCount; ++face)
        setWallFace(walls, face, 0.15f, 0.15f, 0.18f, 0.0f, 1.0f);
}

void applyLightRig(WallLights& walls, int light)
{
    darkWalls(walls);
    switch (light) {
    case 0:
        setWallFace(walls, facePosY, 0.9f, 0.9f, 0.95f, 3.0f, 1.0f);
        break;
    case 1:
        setWallFace(walls, faceNegY, 1.0f, 0.6f, 0.2f, 4.0f, 1.0f);
        break;
    case 2:
        setWallFace(walls, faceNegX, 0.3f, 0.5f, 1.0f, 5.0f, 1.0f);
        break;
    case 3:
        setWallFace(walls, facePosY, 0.4f, 0.6f, 1.0f, 3.0f, 1.0f);
        setWallFace(walls, faceNegY, 1.0f, 0.5f, 0.15f, 3.0f, 1.0f);
        break;
    default:
        break;  // the moon is drawn on the back wall by the fill shader
    }
}
}

void cSceneFog::enter()
{
    aimCamera(2.79f, 0.06f, 2.7f);
    baseYaw = 2.79f;

    darkWalls(show.walls);

    show.renderSettings.gamma = 1.88f;
    // Each GI pass adds only 1 %, so the light over the moving fog averages over many frames.
    show.renderSettings.giBlend = 0.01f;
    currentLight = -1;
    cycleCount = 0;

    clearLabels(show.labels);
    setTimedLabels(show.labels, fogLabels, (int)(sizeof(fogLabels) / sizeof(fogLabels[0])));
    beginScript();
    timeline.phases.push_back(waitTransitionPhase(*this));
    // Open-ended: update() ends it after one round of the rigs.
    timeline.phases.push_back(Phase{"default", -1.0f, {}, {}});
    startTimeline(show, timeline);
}

int cSceneFog::lightIndex() const
{
    return (int)((float)sceneTime() / secondsPerLight) % 5;
}

void cSceneFog::update()
{
    updateTimeline(show, timeline);
    // Counted from the scene time rather than from the moon giving way to the ceiling, so a frame slower than
    // a rig, which skips rigs, still ends the round.
    int cycles = (int)((float)sceneTime() / secondsPerLight) / 5;
    if (cycles > cycleCount) {
        cycleCount = cycles;
        advancePhase(show, timeline);
    }
    int light = lightIndex();
    if (light != currentLight) {
        currentLight = light;
        applyLightRig(show.walls, light);
        show.gi.giResetRequested = true;
        // The moon hangs on the back wall: bring a camera that looks from far round back to it.
        if (light == 4 && std::fabs(show.cameraYaw - baseYaw) > 2.5f)
            show.cameraYaw = baseYaw;
    }
    if (show.beat.beatFlag) {
        jitterSeed = jitterSeed * 1103515245u + 12345u;
        uint32_t r = jitterSeed >> 16;
        // Under the moon the camera turns at most a quarter turn, so it never looks from behind the wall.
        static const float moonOffsets[3] = {0.0f, -1.5708f, 1.5708f};
        static const float offsets[4] = {0.0f, -1.5707964f, 1.5707964f, 3.1415927f};
        show.cameraYaw = baseYaw + (light == 4 ? moonOffsets[r % 3] : offsets[r & 3]);
    }
}

FillRequest cSceneFog::fill() const
{
    return {(float)sceneTime(),
            {{"lightMode", lightIndex()},
             {"fogThresholdP", fogThresholdP},
             {"fogMaskCutP", fogMaskCutP},
             {"fogDensityMulP", fogDensityMulP},
             {"fogMaxDensityP", fogMaxDensityP},
             {"fogAdvStrP", fogAdvStrP},
             {"fogFreqP", fogFreqP},
             {"fogAlgo", fogAlgo}}};
}
