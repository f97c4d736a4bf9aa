// scenes/sceneCloudLightning.cpp
// Strikes fall on every second beat, then on every beat over the last quarter of the turn; the orbit it
// starts also anchors the satellite cameras.
#include "scenes/sceneCloudLightning.h"

#include "sequencer/orbit.h"
#include "sequencer/sharedCallbacks.h"
#include "sequencer/showState.h"

namespace {
const TimedLabel cloudLabels[] = {{"2,21 GW", 0.0f}};
}

void cSceneCloudLightning::enter()
{
    everyOtherBeat = true;
    aimCamera(2.7f, 0.4f, 2.7f);
    show.renderSettings.gamma = 1.88f;

    for (int face = faceNegX; face < faceCount; ++face)
        setWallFace(show.walls, face, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f);

    show.renderSettings.refraction = true;
    show.renderSettings.giBlend = 0.05f;

    clearLabels(show.labels);
    setTimedLabels(show.labels, cloudLabels, (int)(sizeof(cloudLabels) / sizeof(cloudLabels[0])));
    show.viewLayout = 0;

    beginScript();
    timeline.phases.push_back(waitTransitionPhase(*this));
    timeline.phases.push_back(Phase{"orbit", 15.0f,
                                    [this] {
                                        // The satellites fan out from where this turn begins, and the turn
                                        // reads the same anchor; the scene's snapshot keeps the start distance.
                                        ViewAnchor& anchor = show.viewAnchor;
                                        anchor = {show.cameraYaw, show.cameraPitch, show.demoClock};
                                        orbit = {anchor.yaw, anchor.pitch, show.cameraDistance, anchor.time};
                                    },
                                    [this](float p, Phase&) {
                                        const ViewAnchor& anchor = show.viewAnchor;
                                        orbitTurn(show, {anchor.yaw, anchor.pitch, orbit.distance, anchor.time}, 0.4f,
                                                  0.07f, 0.15f, 2.0f);
                                        if (p > 0.75f)
                                            everyOtherBeat = false;
                                    }});
    startTimeline(show, timeline);
}

void cSceneCloudLightning::update()
{
    if (show.beat.beatFlag) {
        ++beatCount;
        if (!everyOtherBeat || beatCount % 2 == 0) {
            ++strikeCount;
            strikeTime = show.demoClock;
        }
    }
    updateTimeline(show, timeline);
}

FillRequest cSceneCloudLightning::fill() const
{
    return {(float)sceneTime(),
            {{"fogThresholdP", fogThresholdP},
             {"fogMaskCutP", fogMaskCutP},
             {"fogDensityMulP", fogDensityMulP},
             {"fogMaxDensityP", fogMaxDensityP},
             {"fogFreqP", fogFreqP},
             {"lightningTime", (float)(show.demoClock - strikeTime)},
             {"lightningSeed", strikeCount}}};
}
