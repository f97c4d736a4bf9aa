// scenes/sceneCathedral.cpp
// The window's colours are caught two frames after the camera settles; then the light converges progressively.
#include "scenes/sceneCathedral.h"

#include "sequencer/orbit.h"
#include "sequencer/sharedCallbacks.h"
#include "sequencer/showState.h"

namespace {
const TimedLabel cathedralLabels[] = {{"enlightened", 1.0f}, {"by", 3.0f}, {"raytracing", 5.0f}};
}

void cSceneCathedral::enter()
{
    aimCamera(2.98f, 0.18f, 2.4f);

    for (int face = faceNegX; face < facePosZ; ++face)
        setWallFace(show.walls, face, 0.25f, 0.22f, 0.20f, 0.0f, 1.0f);
    setWallFace(show.walls, facePosZ, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f);

    show.renderSettings.giBlend = 0.3f;
    show.renderSettings.refraction = true;

    clearLabels(show.labels);
    show.gi.giAccumMode = giRunningAverage;
    frameCounter = 0;
    beginScript();
    setTimedLabels(show.labels, cathedralLabels, (int)(sizeof(cathedralLabels) / sizeof(cathedralLabels[0])));

    timeline.phases.push_back(waitTransitionPhase(*this));
    timeline.phases.push_back(Phase{"orbit", 8.0f, orbitStart(*this),
                                    [this](float, Phase&) { orbitSway(show, orbit, 0.15f, 0.7f); }});
    startTimeline(show, timeline);
}

void cSceneCathedral::update()
{
    if (show.gi.giAccumMode == giRunningAverage) {
        ++frameCounter;
        // giAccumCount is kept, so the progressive blend carries on from the running average's history.
        if (frameCounter > 1)
            show.gi.giAccumMode = giProgressive;
    }
    updateTimeline(show, timeline);
}

