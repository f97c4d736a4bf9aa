// gpu/cameraBasis.cpp
#include "gpu/cameraBasis.h"

#include <cmath>

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
