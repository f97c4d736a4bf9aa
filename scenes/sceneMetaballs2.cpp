// scenes/sceneMetaballs2.cpp
// The balls move in the fill shader from scene time alone; the script turns the camera, then tumbles it on the beat.
#include "scenes/sceneMetaballs2.h"

#include <cmath>

#include "overlay/captionMetrics.h"
#include "sequencer/orbit.h"
#include "sequencer/sharedCallbacks.h"
#include "sequencer/showState.h"

void cSceneMetaballs2::enter()
{
    exploreStarted = false;
    aimCamera(2.7f, 0.4f, 2.7f);
    show.renderSettings.gamma = 0.841f;

    // A glossy floor; the other walls keep the default grey.
    setWallFace(show.walls, faceNegY, 0.85f, 0.85f, 0.85f, 0.0f, 0.25f);

    show.renderSettings.giBlend = 0.3f;
    show.renderSettings.opaquePassthrough = true;
    show.renderSettings.vwAlbedo = 0.639f;

    orbit = OrbitSnapshot{};
    clearLabels(show.labels);
    const TimedLabel labels[] = {{"non-meta", 4.0f}, {"sphericals", 4.0f + labelStagger}, {"overload", 13.0f}};
    setTimedLabels(show.labels, labels, (int)(sizeof(labels) / sizeof(labels[0])));

    beginScript();
    show.viewLayout = 0;
    timeline.phases.push_back(waitTransitionPhase(*this));
    // The turn speed is the phase progress itself, so the camera speeds up over the whole phase.
    timeline.phases.push_back(Phase{"idle", 13.0f, orbitStart(*this),
                                    [this](float p, Phase&) { orbitTurn(show, orbit, p, 0.07f, 0.15f, 2.0f); }});
    timeline.phases.push_back(Phase{"explore", 14.0f, orbitStart(*this), [this](float p, Phase&) { explore(p); }});
    startTimeline(show, timeline);
}

void cSceneMetaballs2::explore(float p)
{
    if (show.beat.beatFlag) {
        show.beat.cameraKick = 1.0f;
        if (p > 0.25f && show.demoClock - lastLayoutChange >= 1.0) {
            int layout;
            do
                layout = 1 + (int)(layoutRandom() % 5);
            while (layout == show.viewLayout);
            show.viewLayout = layout;
            lastLayoutChange = show.demoClock;
            if (!exploreStarted) {
                // Close in until the cube's bounding sphere fills a 30-degree half angle, with a tenth to spare.
                show.cameraDistance = 0.86603f / std::sin(0.5235988f) * 1.1f;
                show.renderSettings.haloEnabled = false;
                show.renderSettings.bgColor[0] = show.renderSettings.bgColor[1] = show.renderSettings.bgColor[2] = 0.0f;
                exploreStarted = true;
            }
        }
    }

    // Two angles at rates in the golden ratio, so the path never repeats; eased in from the snapshot over 2 s.
    float t = (float)(show.demoClock - orbit.time);
    float k = t < 2.0f ? t / 2.0f : 1.0f;
    float s = (3.0f - 2.0f * k) * k * k;
    float a = -0.3f * t * s;
    float b = 0.3f * 1.618034f * t * s;
    float targetYaw = std::atan2(std::sin(a), std::cos(b) * std::cos(a));
    float targetPitch = std::asin(std::sin(b) * std::cos(a));
    // The idle turn leaves whole turns on the yaw: easing in from the same view without them spares the camera
    // a fast spin back through every one of them.
    float fromYaw = std::remainder(orbit.yaw, 6.2831855f);
    show.cameraYaw = fromYaw + (targetYaw - fromYaw) * s;
    show.cameraPitch = orbit.pitch + (targetPitch - orbit.pitch) * s;

    // The last tenth hands over a plain single view; this also undoes a layout drawn earlier in the frame.
    if (p > 0.9f) {
        show.viewLayout = 0;
        show.cameraDistance = 2.7f;
        show.renderSettings.haloEnabled = true;
        show.renderSettings.bgColor[0] = show.renderSettings.bgColor[1] = show.renderSettings.bgColor[2] = 0.14901961f;
    }
}

