// scenes/sceneGearLogo.cpp
// The emblem turns once every ten seconds until it can rest on a whole turn; then the camera zooms far out.
#include "scenes/sceneGearLogo.h"

#include <algorithm>
#include <cmath>

#include "sequencer/sharedCallbacks.h"
#include "sequencer/showState.h"

namespace {
constexpr float fullTurn = 6.2831855f;
// The cube's circumsphere (radius 0.86603) seen at a 30 degree half angle, then half as far again.
constexpr float viewDistance = 0.86603f / 0.5f * 1.5f;
constexpr float zoomOutDistance = 1000.0f;
constexpr float captionGoneSec = 27.59861f;  // the caption has scrolled out of the cube
}

void cSceneGearLogo::enter()
{
    aimCamera(0.0f, 0.15f, viewDistance);
    version2 = true;
    show.renderSettings.vwAlbedo = 0.35f;
    show.renderSettings.gamma = 1.0f;

    for (int face = faceNegX; face < facePosZ; ++face)
        setWallFace(show.walls, face, 0.35f, 0.35f, 0.35f, 0.0f, 1.0f);
    setWallFace(show.walls, facePosZ, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f);
    show.renderSettings.giBlend = 0.15f;

    orbit = OrbitSnapshot{};
    clearLabels(show.labels);
    stopped = false;
    stopAngle = 0.0f;
    beginScript();
    timeline.phases.push_back(waitTransitionPhase(*this));
    timeline.phases.push_back(Phase{"default", -1.0f, {}, [this](float, Phase&) {
                                        if (stopped)
                                            advancePhase(show, timeline);
                                    }});
    timeline.phases.push_back(Phase{"zoom_out", 8.0f, orbitStart(*this), [this](float p, Phase&) {
                                        show.cameraYaw = 0.0f;
                                        show.cameraPitch = 0.15f;
                                        // The frame that ends the phase sees p just above 1; the halo stays out.
                                        show.renderSettings.haloIntensity = std::max(1.0f - p, 0.0f);
                                        show.cameraDistance =
                                            p * p * p * p * (zoomOutDistance - viewDistance) + viewDistance;
                                    }});
    startTimeline(show, timeline);
}

void cSceneGearLogo::update()
{
    updateTimeline(show, timeline);
    float t = (float)sceneTime();
    logoZ = t < 10.0f ? t / 10.0f - 0.5f : 0.5f;

    float a = 0.1f * fullTurn * t;
    if (t > captionGoneSec && !stopped) {
        // Rest on the first frame within 0.01 rad short of a whole turn; a frame that skips that window costs a turn.
        float k = std::ceil(a / fullTurn);
        if (a >= fullTurn * k - 0.01f) {
            stopAngle = fullTurn * k;
            stopped = true;
        }
    }
    logoAngle = stopped ? stopAngle : a;

    if (t > 10.0f) {
        float x = std::min((t - 10.0f) / 3.0f, 1.0f);
        float s = (3.0f - 2.0f * x) * x * x;
        logoEmissivity = 8.0f - 6.0f * s;
        float g = show.renderSettings.vwAlbedo + (0.75f - show.renderSettings.vwAlbedo) * 0.5f * s;
        for (int face = faceNegX; face < facePosZ; ++face)
            setWallFace(show.walls, face, g, g, g, 0.0f, 1.0f);
    }
}

FillRequest cSceneGearLogo::fill() const
{
    return {(float)sceneTime(),
            {{"logoZ", logoZ},
             {"logoAngle", logoAngle},
             {"version2", version2 ? 1 : 0},
             {"logoEmissivity", logoEmissivity}}};
}
