// sequencer/camera.cpp
#include "sequencer/camera.h"

#include <algorithm>
#include <cmath>

float mainCameraDistance(float distance, float kick)
{
    return kick > 0.01f ? distance - 0.25f * kick : distance;
}

float viewCameraDistance(float distance, float kick)
{
    return distance - 0.25f * kick;
}

void satelliteAngles(double now, float mainYaw, float mainPitch, const ViewAnchor& anchor, float yaws[maxViews],
                     float pitches[maxViews])
{
    yaws[0] = mainYaw;
    pitches[0] = mainPitch;
    float t = (float)(now - anchor.time);
    float r = t < 3.0f ? t / 3.0f : 1.0f;
    float s = (3.0f - 2.0f * r) * r * r;
    for (int k = 1; k < maxViews; ++k) {
        float g = k * 2.3999631f;  // golden angle spreads the eight paths
        yaws[k] = (0.4f * std::sin(0.31f * t + 1.3f * g) + 0.8f * std::sin(0.17f * t + g) + 0.25f * t +
                   0.2f * std::sin(0.53f * t + 0.7f * g)) * s + anchor.yaw;
        float pitch = (0.3f * std::sin(0.9f * g + 0.29f * t) + 0.5f * std::sin(1.1f * g + 0.13f * t) +
                       0.2f * std::sin(1.5f * g + 0.47f * t)) * 1.2f * s + anchor.pitch;
        pitches[k] = std::clamp(pitch, -1.5f, 1.5f);
    }
}
