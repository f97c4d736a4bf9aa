// sequencer/camera.h
// The orbit camera that scenes steer around the cube centre, and the satellite cameras of the multi-view layouts.
#pragma once

#include "gpu/cameraBasis.h"

extern float cameraYaw;
extern float cameraPitch;
extern float cameraDistance;

// Written by the scene that fans the satellites out; paths are anchored here.
extern float viewAnchorYaw;
extern float viewAnchorPitch;
extern double viewAnchorTime;

// Main camera distance: the kick only counts once it is above 0.01.
float mainCameraDistance(float distance, float kick);
// Distance for the view set-up: the kick always counts.
float viewCameraDistance(float distance, float kick);

// Entry 0 is the main camera; 1..8 drift around the anchor, spreading over three seconds.
void satelliteAngles(double now, float mainYaw, float mainPitch, float yaws[maxViews], float pitches[maxViews]);

void resetCameraDefaults();
