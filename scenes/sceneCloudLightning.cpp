// scenes/sceneCloudLightning.cpp
// Strikes fall on every second beat, then on every beat over the last quarter of the turn; the orbit it
// starts also anchors the satellite cameras.
#include "scenes/sceneCloudLightning.h"

#include "audio/beat.h"
#include "gpu/constants.h"
#include "gpu/fillDispatch.h"
#include "gpu/renderSettings.h"
#include "gpu/viewLayouts.h"
#include "sequencer/camera.h"
#include "sequencer/demoClock.h"
#include "sequencer/labels.h"
#include "sequencer/orbit.h"
#include "sequencer/sharedCallbacks.h"

namespace {
const TimedLabel cloudLabels[] = {{"2,21 GW", 0.0f}};
}

void cSceneCloudLightning::enter()
{
    everyOtherBeat = true;
    renderSettings = RenderSettings{};
    aimCamera(2.7f, 0.4f, 2.7f);
    renderSettings.gamma = 1.88f;

    for (int face = faceNegX; face < faceCount; ++face)
        setWallFace(face, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f);
    uploadConstants();

    renderSettings.refraction = true;
    renderSettings.giBlend = 0.05f;

    clearLabels();
    setTimedLabels(cloudLabels, (int)(sizeof(cloudLabels) / sizeof(cloudLabels[0])));
    viewLayout = 0;

    beginScript();
    timeline.phases.push_back(waitTransitionPhase(*this));
    timeline.phases.push_back(Phase{"orbit", 15.0f,
                                    [this] {
                                        // The satellites fan out from where this turn begins, and the turn
                                        // reads the same anchor; the scene's snapshot keeps the start distance.
                                        viewAnchorYaw = cameraYaw;
                                        viewAnchorPitch = cameraPitch;
                                        viewAnchorTime = demoClock();
                                        orbit = {cameraYaw, cameraPitch, cameraDistance, viewAnchorTime};
                                    },
                                    [this](float p, Phase&) {
                                        orbitTurn({viewAnchorYaw, viewAnchorPitch, orbit.distance, viewAnchorTime},
                                                  0.4f, 0.07f, 0.15f, 2.0f);
                                        if (p > 0.75f)
                                            everyOtherBeat = false;
                                    }});
    startTimeline(timeline);
}

void cSceneCloudLightning::update()
{
    if (beatFlag) {
        ++beatCount;
        if (!everyOtherBeat || beatCount % 2 == 0) {
            ++strikeCount;
            strikeTime = demoClock();
        }
    }
    updateTimeline(timeline);
}

void cSceneCloudLightning::resetRun()
{
    strikeTime = -999.0;
    strikeCount = 0;
    beatCount = 0;
}

void cSceneCloudLightning::fill(int volSize)
{
    dispatchFill(fillProgram, volSize, (float)sceneTime(), [this](const FillUniforms& u) {
        u.setFloat("fogThresholdP", fogThresholdP);
        u.setFloat("fogMaskCutP", fogMaskCutP);
        u.setFloat("fogDensityMulP", fogDensityMulP);
        u.setFloat("fogMaxDensityP", fogMaxDensityP);
        u.setFloat("fogFreqP", fogFreqP);
        u.setFloat("lightningTime", (float)(demoClock() - strikeTime));
        u.setInt("lightningSeed", strikeCount);
    });
}
