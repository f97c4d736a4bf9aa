// gpu/cameraBasis.h
// An orbit camera's position and orientation around the cube centre, as the renderer's views take it.
#pragma once

struct Vec3 {
    float x, y, z;
};

struct CameraBasis {
    Vec3 pos, fwd, right, up;
};

constexpr int maxViews = 9;

// Yaw 0 puts the camera on the +z side of the centre; positive pitch is above it.
CameraBasis buildCameraBasis(float yaw, float pitch, float distance);
