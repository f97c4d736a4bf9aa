// scenes/sceneGearLogo.cpp
// The emblem turns once every ten seconds until it can rest on a whole turn; then the camera zooms far out.
#include "scenes/sceneGearLogo.h"

#include <algorithm>
#include <cmath>

#include "gpu/constants.h"
#include "gpu/fillDispatch.h"
#include "gpu/renderSettings.h"
#include "sequencer/camera.h"
#include "sequencer/labels.h"
#include "sequencer/sharedCallbacks.h"

namespace {
constexpr float fullTurn = 6.2831855f;
// The cube's circumsphere (radius 0.86603) seen at a 30 degree half angle, then half as far again.
constexpr float viewDistance = 0.86603f / 0.5f * 1.5f;
constexpr float zoomOutDistance = 1000.0f;
constexpr float captionGoneSec = 27.59861f;  // the caption has scrolled out of the cube
}

void cSceneGearLogo::enter()
{
    renderSettings = RenderSettings{};
    aimCamera(0.0f, 0.15f, viewDistance);
    version2 = true;
    renderSettings.vwAlbedo = 0.35f;
    renderSettings.gamma = 1.0f;

    for (int face = faceNegX; face < facePosZ; ++face)
        setWallFace(face, 0.35f, 0.35f, 0.35f, 0.0f, 1.0f);
    setWallFace(facePosZ, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f);
    uploadConstants();
    renderSettings.giBlend = 0.15f;

    orbit = OrbitSnapshot{};
    clearLabels();
    stopped = false;
    stopAngle = 0.0f;
    beginScript();
    timeline.phases.push_back(waitTransitionPhase(*this));
    timeline.phases.push_back(Phase{"default", -1.0f, {}, [this](float, Phase&) {
                                        if (stopped)
                                            advancePhase(timeline);
                                    }});
    timeline.phases.push_back(Phase{"zoom_out", 8.0f, orbitStart(*this), [](float p, Phase&) {
                                        cameraYaw = 0.0f;
                                        cameraPitch = 0.15f;
                                        // The frame that ends the phase sees p just above 1; the halo stays out.
                                        renderSettings.haloIntensity = std::max(1.0f - p, 0.0f);
                                        cameraDistance = p * p * p * p * (zoomOutDistance - viewDistance) + viewDistance;
                                    }});
    startTimeline(timeline);
}

void cSceneGearLogo::update()
{
    updateTimeline(timeline);
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
        float g = renderSettings.vwAlbedo + (0.75f - renderSettings.vwAlbedo) * 0.5f * s;
        for (int face = faceNegX; face < facePosZ; ++face)
            setWallFace(face, g, g, g, 0.0f, 1.0f);
        uploadConstants();
    }
}

void cSceneGearLogo::resetRun()
{
    logoEmissivity = 8.0f;
}

void cSceneGearLogo::fill(int volSize)
{
    dispatchFill(fillProgram, volSize, (float)sceneTime(), [this](const FillUniforms& u) {
        u.setFloat("logoZ", logoZ);
        u.setFloat("logoAngle", logoAngle);
        u.setInt("version2", version2 ? 1 : 0);
        u.setFloat("logoEmissivity", logoEmissivity);
    });
}
