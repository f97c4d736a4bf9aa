// app/camera.cpp
#include "app/camera.h"

#include <algorithm>
#include <cmath>

float cameraYaw = 1.0466667f;
float cameraPitch = 0.7f;
float cameraDistance = 1.4f;

float viewAnchorYaw = 0.0f;
float viewAnchorPitch = 0.0f;
double viewAnchorTime = 0.0;

namespace {
Vec3 normalize(Vec3 v)
{
    float length = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    return {v.x / length, v.y / length, v.z / length};
}
}

CameraBasis buildCameraBasis(float yaw, float pitch, float distance)
{
    CameraBasis b;
    b.pos = {0.5f + std::sin(yaw) * std::cos(pitch) * distance, 0.5f + std::sin(pitch) * distance,
             0.5f + std::cos(yaw) * std::cos(pitch) * distance};
    b.fwd = normalize({0.5f - b.pos.x, 0.5f - b.pos.y, 0.5f - b.pos.z});
    b.right = normalize({b.fwd.z, 0.0f, -b.fwd.x});
    b.up = {b.fwd.y * b.right.z - b.fwd.z * b.right.y, b.fwd.z * b.right.x - b.fwd.x * b.right.z,
            b.fwd.x * b.right.y - b.fwd.y * b.right.x};
    return b;
}

float mainCameraDistance(float distance, float kick)
{
    return kick > 0.01f ? distance - 0.25f * kick : distance;
}

float viewCameraDistance(float distance, float kick)
{
    return distance - 0.25f * kick;
}

void satelliteAngles(double now, float mainYaw, float mainPitch, float yaws[maxViews], float pitches[maxViews])
{
    yaws[0] = mainYaw;
    pitches[0] = mainPitch;
    float t = (float)(now - viewAnchorTime);
    float r = t < 3.0f ? t / 3.0f : 1.0f;
    float s = (3.0f - 2.0f * r) * r * r;
    for (int k = 1; k < maxViews; ++k) {
        float g = k * 2.3999631f;  // golden angle spreads the eight paths
        yaws[k] = (0.4f * std::sin(0.31f * t + 1.3f * g) + 0.8f * std::sin(0.17f * t + g) + 0.25f * t +
                   0.2f * std::sin(0.53f * t + 0.7f * g)) * s + viewAnchorYaw;
        float pitch = (0.3f * std::sin(0.9f * g + 0.29f * t) + 0.5f * std::sin(1.1f * g + 0.13f * t) +
                       0.2f * std::sin(1.5f * g + 0.47f * t)) * 1.2f * s + viewAnchorPitch;
        pitches[k] = std::clamp(pitch, -1.5f, 1.5f);
    }
}

void resetCameraDefaults()
{
    cameraYaw = 1.0466667f;
    cameraPitch = 0.7f;
    cameraDistance = 1.4f;
    viewAnchorYaw = 0.0f;
    viewAnchorPitch = 0.0f;
    viewAnchorTime = 0.0;
}
