// scenes/sceneCornell.cpp
// Black while the ray budget is measured, then a ray ramp shown count by count, then progressive convergence.
#include "scenes/sceneCornell.h"

#include <algorithm>
#include <cstdio>

#include "sequencer/orbit.h"
#include "sequencer/sharedCallbacks.h"
#include "sequencer/showState.h"

namespace {
const TimedLabel cornellLabels[] = {{"no light ray", 0.0f}, {"maximum reached", 13.0f}, {"luminarcizing", 16.0f}};
}

void cSceneCornell::enter()
{
    aimCamera(0.0f, 0.15f, 2.6f);

    setWallFace(show.walls, faceNegX, 0.57f, 0.04f, 0.04f, 0.0f, 1.0f);
    setWallFace(show.walls, facePosX, 0.12f, 0.45f, 0.15f, 0.0f, 1.0f);
    for (int face = faceNegY; face < faceCount; ++face)
        setWallFace(show.walls, face, 0.76f, 0.76f, 0.76f, 0.0f, 1.0f);

    orbit = OrbitSnapshot{};
    labelText[0] = '\0';
    lastRays = -1;
    maxRays = 16;
    budgetSum = 0.0f;
    budgetSamples = 0;
    lightIntensity = 0.0f;
    prefixedRays = -1;
    clearLabels(show.labels);
    setTimedLabels(show.labels, cornellLabels, (int)(sizeof(cornellLabels) / sizeof(cornellLabels[0])));

    beginScript();
    lightIntensity = 0.0f;
    show.walls.emissivityMul = 0.0f;
    show.renderSettings.giBlend = 1.0f;
    show.renderSettings.samplingMode = 0;

    timeline.phases.push_back(waitTransitionPhase(*this, [this] {
        show.walls.forceBlack = true;
        show.gi.giResetRequested = true;
        lightIntensity = 0.0f;
    }));
    timeline.phases.push_back(Phase{"dark", 3.0f,
                                    [this] {
                                        show.walls.forceBlack = true;
                                        show.gi.giResetRequested = true;
                                        lightIntensity = 0.0f;
                                        show.renderSettings.adaptiveRaysEnabled = true;
                                        show.renderSettings.raysPerFrame = 1;
                                    },
                                    [this](float, Phase&) {
                                        budgetSum += show.gi.adaptiveRays;
                                        ++budgetSamples;
                                    }});
    timeline.phases.push_back(Phase{"ramp", 10.0f,
                                    [this] {
                                        show.walls.emissivityMul = 1.0f;
                                        show.walls.forceBlack = false;
                                        show.gi.giResetRequested = true;
                                        lightIntensity = 1.0f;
                                        show.renderSettings.adaptiveRaysEnabled = false;
                                        // No sample means no measurement: fall back to a single ray.
                                        int measured = budgetSamples > 0 ? (int)(budgetSum / budgetSamples + 0.5f) : 1;
                                        maxRays = std::max(1, measured);
                                        show.renderSettings.raysPerFrame = 1;
                                    },
                                    [this](float p, Phase&) { rampRays(p); }});
    timeline.phases.push_back(Phase{"maxed", 3.0f,
                                    [this] {
                                        show.renderSettings.adaptiveRaysEnabled = true;
                                        show.gi.adaptiveRays = (float)maxRays;
                                    },
                                    {}});
    timeline.phases.push_back(Phase{"luminarcs", 1.0f, {}, {}});
    timeline.phases.push_back(Phase{"converge", 7.0f,
                                    [this] {
                                        show.renderSettings = RenderSettings{};
                                        show.gi.giAccumMode = giProgressive;
                                        orbitStart(*this)();
                                    },
                                    [this](float, Phase&) { orbitSpinUp(show, orbit, 0.2f, 32.0f, 0.3f, 1.0f); }});
    timeline.phases.push_back(Phase{"orbit", 5.0f,
                                    [this] {
                                        clearLabels(show.labels);
                                        orbitStart(*this)();
                                    },
                                    orbitTurnStandard(*this)});
    startTimeline(show, timeline);
}

void cSceneCornell::rampRays(float p)
{
    int rays = std::min((int)(std::min(1.0f, p) * (float)(maxRays - 1)) + 1, maxRays);
    show.renderSettings.raysPerFrame = rays;
    // The counts stop two short of the maximum so "maximum reached" lands near the end of the ramp.
    if (rays < maxRays - 2) {
        if (firstRayLabel) {
            firstRayLabel = false;
            prefixedRays = rays;
        }
        // The prefix stays on its count for every frame of it, so that count is not logged a second time bare.
        if (rays == prefixedRays)
            std::snprintf(labelText, sizeof(labelText), "rays per voxel: %d", rays);
        else
            std::snprintf(labelText, sizeof(labelText), "%d", rays);
        showLabel(show.labels, labelText, show.demoClock);
    }
    if (rays != lastRays) {
        show.gi.giResetRequested = true;
        lastRays = rays;
    }
}

FillRequest cSceneCornell::fill() const
{
    // The picture must not drift with time, only with the light.
    return {0.0f, {{"lightIntensity", lightIntensity}}};
}
