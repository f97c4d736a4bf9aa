// scenes/sceneMetaballs2.cpp
// The balls move in the fill shader from scene time alone; the script turns the camera, then tumbles it on the beat.
#include "scenes/sceneMetaballs2.h"

#include <cmath>

#include "audio/beat.h"
#include "gpu/constants.h"
#include "gpu/fillDispatch.h"
#include "gpu/renderSettings.h"
#include "gpu/viewLayouts.h"
#include "overlay/captionMetrics.h"
#include "sequencer/camera.h"
#include "sequencer/demoClock.h"
#include "sequencer/labels.h"
#include "sequencer/orbit.h"
#include "sequencer/sharedCallbacks.h"

namespace {
constexpr unsigned layoutSeed = 20240611u;
}

double cSceneMetaballs2::lastLayoutChange = 0.0;
std::minstd_rand cSceneMetaballs2::layoutRandom{layoutSeed};

void cSceneMetaballs2::enter()
{
    exploreStarted = false;
    renderSettings = RenderSettings{};
    aimCamera(2.7f, 0.4f, 2.7f);
    renderSettings.gamma = 0.841f;

    // A glossy floor; the other walls keep what the scene switch gave them.
    setWallFace(faceNegY, 0.85f, 0.85f, 0.85f, 0.0f, 0.25f);
    uploadConstants();

    renderSettings.giBlend = 0.3f;
    renderSettings.opaquePassthrough = true;
    // Stored after the upload: the next scene switch's wall reset takes its grey from here.
    renderSettings.vwAlbedo = 0.639f;

    orbit = OrbitSnapshot{};
    clearLabels();
    const TimedLabel labels[] = {{"non-meta", 4.0f}, {"sphericals", 4.0f + labelStagger}, {"overload", 13.0f}};
    setTimedLabels(labels, (int)(sizeof(labels) / sizeof(labels[0])));

    beginScript();
    viewLayout = 0;
    timeline.phases.push_back(waitTransitionPhase(*this));
    // The turn speed is the phase progress itself, so the camera speeds up over the whole phase.
    timeline.phases.push_back(Phase{"idle", 13.0f, orbitStart(*this),
                                    [this](float p, Phase&) { orbitTurn(orbit, p, 0.07f, 0.15f, 2.0f); }});
    timeline.phases.push_back(Phase{"explore", 14.0f, orbitStart(*this), [this](float p, Phase&) { explore(p); }});
    startTimeline(timeline);
}

void cSceneMetaballs2::explore(float p)
{
    if (beatFlag) {
        cameraKick = 1.0f;
        if (p > 0.25f && demoClock() - lastLayoutChange >= 1.0) {
            int layout;
            do
                layout = 1 + (int)(layoutRandom() % 5);
            while (layout == viewLayout);
            viewLayout = layout;
            lastLayoutChange = demoClock();
            if (!exploreStarted) {
                // Close in until the cube's bounding sphere fills a 30-degree half angle, with a tenth to spare.
                cameraDistance = 0.86603f / std::sin(0.5235988f) * 1.1f;
                renderSettings.haloEnabled = false;
                renderSettings.bgColor[0] = renderSettings.bgColor[1] = renderSettings.bgColor[2] = 0.0f;
                exploreStarted = true;
            }
        }
    }

    // Two angles at rates in the golden ratio, so the path never repeats; eased in from the snapshot over 2 s.
    float t = (float)(demoClock() - orbit.time);
    float k = t < 2.0f ? t / 2.0f : 1.0f;
    float s = (3.0f - 2.0f * k) * k * k;
    float a = -0.3f * t * s;
    float b = 0.3f * 1.618034f * t * s;
    float targetYaw = std::atan2(std::sin(a), std::cos(b) * std::cos(a));
    float targetPitch = std::asin(std::sin(b) * std::cos(a));
    // The idle turn leaves whole turns on the yaw: easing in from the same view without them spares the camera
    // a fast spin back through every one of them.
    float fromYaw = std::remainder(orbit.yaw, 6.2831855f);
    cameraYaw = fromYaw + (targetYaw - fromYaw) * s;
    cameraPitch = orbit.pitch + (targetPitch - orbit.pitch) * s;

    // The last tenth hands over a plain single view; this also undoes a layout drawn earlier in the frame.
    if (p > 0.9f) {
        viewLayout = 0;
        cameraDistance = 2.7f;
        renderSettings.haloEnabled = true;
        renderSettings.bgColor[0] = renderSettings.bgColor[1] = renderSettings.bgColor[2] = 0.14901961f;
    }
}

void cSceneMetaballs2::resetRun()
{
    lastLayoutChange = 0.0;
    layoutRandom.seed(layoutSeed);
}

void cSceneMetaballs2::fill(int volSize)
{
    dispatchFill(fillProgram, volSize, (float)sceneTime());
}
