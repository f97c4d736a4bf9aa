// tests/cpu/cameraBasisTests.cpp
// The orbit camera's basis: where it sits at rest, and a right-handed look at the centre at every angle.
#include <gtest/gtest.h>

#include <cmath>

#include "sequencer/camera.h"

namespace {
float dot(Vec3 a, Vec3 b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
}

TEST(CameraBasis, LooksAtTheCentreAndStaysOrthonormalUpToThePitchLimit)
{
    // At rest the camera sits on the +z side looking down -z, with +x on its left.
    CameraBasis rest = buildCameraBasis(0.0f, 0.0f, 1.4f);
    const Vec3 expected[4] = {{0.5f, 0.5f, 1.9f}, {0, 0, -1}, {-1, 0, 0}, {0, 1, 0}};
    const Vec3 actual[4] = {rest.pos, rest.fwd, rest.right, rest.up};
    for (int v = 0; v < 4; ++v)
        EXPECT_TRUE(std::fabs(actual[v].x - expected[v].x) + std::fabs(actual[v].y - expected[v].y) +
                        std::fabs(actual[v].z - expected[v].z) < 1e-6f) << "vector " << v;
    for (float pitch : {1.5f, -1.5f})
        for (float yaw : {0.0f, 1.0466667f, -2.5f, 40.0f}) {
            CameraBasis b = buildCameraBasis(yaw, pitch, 1.4f);
            Vec3 toCentre = {0.5f - b.pos.x, 0.5f - b.pos.y, 0.5f - b.pos.z};
            EXPECT_NEAR(std::sqrt(dot(toCentre, toCentre)), 1.4f, 1e-5f);
            EXPECT_NEAR(dot(b.fwd, toCentre), 1.4f, 1e-5f);
            const Vec3 axes[3] = {b.fwd, b.right, b.up};
            for (int i = 0; i < 3; ++i)
                for (int j = i; j < 3; ++j)
                    EXPECT_NEAR(dot(axes[i], axes[j]), i == j ? 1.0f : 0.0f, 1e-5f) << "yaw " << yaw << ", " << pitch;
            // Right stays level and up keeps pointing to the sky side of the view.
            EXPECT_TRUE(b.right.y == 0.0f && b.up.y > 0.0f) << "yaw " << yaw << ", " << pitch;
        }
}
