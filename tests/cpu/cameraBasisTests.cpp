// tests/cpu/cameraBasisTests.cpp
#include <gtest/gtest.h>

#include <cmath>

#include "app/camera.h"

namespace {
float dot(Vec3 a, Vec3 b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
}

TEST(CameraBasis, LooksDownMinusZFromThePlusZSideAtRest)
{
    CameraBasis b = buildCameraBasis(0.0f, 0.0f, 1.4f);
    EXPECT_FLOAT_EQ(b.pos.x, 0.5f);
    EXPECT_FLOAT_EQ(b.pos.y, 0.5f);
    EXPECT_FLOAT_EQ(b.pos.z, 1.9f);
    EXPECT_FLOAT_EQ(b.fwd.x, 0.0f);
    EXPECT_FLOAT_EQ(b.fwd.y, 0.0f);
    EXPECT_FLOAT_EQ(b.fwd.z, -1.0f);
    EXPECT_FLOAT_EQ(b.right.x, -1.0f);
    EXPECT_FLOAT_EQ(b.right.y, 0.0f);
    EXPECT_FLOAT_EQ(b.right.z, 0.0f);
    EXPECT_FLOAT_EQ(b.up.x, 0.0f);
    EXPECT_FLOAT_EQ(b.up.y, 1.0f);
    EXPECT_FLOAT_EQ(b.up.z, 0.0f);
}

TEST(CameraBasis, StaysOrthonormalAtThePitchLimit)
{
    for (float pitch : {1.5f, -1.5f})
        for (float yaw : {0.0f, 1.0466667f, -2.5f, 40.0f}) {
            CameraBasis b = buildCameraBasis(yaw, pitch, 1.4f);
            Vec3 toCentre = {0.5f - b.pos.x, 0.5f - b.pos.y, 0.5f - b.pos.z};
            EXPECT_NEAR(std::sqrt(dot(toCentre, toCentre)), 1.4f, 1e-5f);
            EXPECT_NEAR(dot(b.fwd, toCentre), 1.4f, 1e-5f);
            EXPECT_NEAR(dot(b.fwd, b.fwd), 1.0f, 1e-5f);
            EXPECT_NEAR(dot(b.right, b.right), 1.0f, 1e-5f);
            EXPECT_NEAR(dot(b.up, b.up), 1.0f, 1e-5f);
            EXPECT_NEAR(dot(b.fwd, b.right), 0.0f, 1e-5f);
            EXPECT_NEAR(dot(b.fwd, b.up), 0.0f, 1e-5f);
            EXPECT_NEAR(dot(b.right, b.up), 0.0f, 1e-5f);
            EXPECT_EQ(b.right.y, 0.0f);
            // Up keeps pointing to the sky side of the view.
            EXPECT_GT(b.up.y, 0.0f);
        }
}
