// scenes/sceneShutters.cpp
// The shutters move in the fill shader from scene time alone; the script converges, lifts and sweeps the camera.
#include "scenes/sceneShutters.h"

#include <algorithm>

#include "sequencer/orbit.h"
#include "sequencer/sharedCallbacks.h"
#include "sequencer/showState.h"

namespace {
const TimedLabel shuttersLabels[] = {{"light on", 0.0f}, {"white light 100%", 13.0f}, {"nominal", 15.0f}};
}

void cSceneShutters::enter()
{
    aimCamera(3.14159f, 0.15f, 2.4f);

    for (int face = faceNegX; face < faceCount; ++face)
        setWallFace(show.walls, face, 0.31f, 0.31f, 0.31f, 0.0f, 1.0f);

    show.renderSettings.gamma = 1.88f;
    show.renderSettings.giBlend = 0.03f;
    show.renderSettings.refraction = false;

    clearLabels(show.labels);
    beginScript();
    setTimedLabels(show.labels, shuttersLabels, (int)(sizeof(shuttersLabels) / sizeof(shuttersLabels[0])));

    timeline.phases.push_back(waitTransitionPhase(*this));
    timeline.phases.push_back(Phase{"shutters", 13.0f, orbitStart(*this), {}});
    timeline.phases.push_back(Phase{"converge", 0.01f,
                                    [this] {
                                        show.renderSettings.raysPerFrame = 32;
                                        show.gi.giAccumMode = giProgressive;
                                        orbitStart(*this)();
                                    },
                                    {}});
    timeline.phases.push_back(Phase{"orbit", 5.0f, orbitStart(*this), [this](float p, Phase&) {
                                        orbitSway(show, orbit, 0.15f, 0.7f);
                                        // Lift the camera over the first half of the phase.
                                        float q = std::min(2.0f * p, 1.0f);
                                        show.cameraPitch += 0.35f * q * q * (3.0f - 2.0f * q);
                                    }});
    timeline.phases.push_back(Phase{"swipe", 5.0f, orbitStartAndFreeze(*this), orbitSpinUpStandard(*this)});
    startTimeline(show, timeline);
}
