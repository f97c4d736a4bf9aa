// sequencer/camera.h
// The orbit camera's distance with the beat kick, and the satellite cameras of the multi-view layouts.
#pragma once

#include "gpu/cameraBasis.h"

// Where the satellites' paths are anchored: written by the scene that fans them out.
struct ViewAnchor {
    float yaw = 0.0f;
    float pitch = 0.0f;
    double time = 0.0;
};

// Main camera distance: the kick only counts once it is above 0.01.
float mainCameraDistance(float distance, float kick);
// Distance for the view set-up: the kick always counts.
float viewCameraDistance(float distance, float kick);

// Entry 0 is the main camera; 1..8 drift around the anchor, spreading over three seconds.
void satelliteAngles(double now, float mainYaw, float mainPitch, const ViewAnchor& anchor, float yaws[maxViews],
                     float pitches[maxViews]);
