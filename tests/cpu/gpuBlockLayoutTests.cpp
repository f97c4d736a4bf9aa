// tests/cpu/gpuBlockLayoutTests.cpp
// The CPU images of the Constants and view blocks must match the std140 layout the shaders declare.
#include <gtest/gtest.h>

#include <cstring>

#include "gpu/constants.h"
#include "gpu/viewLayouts.h"

namespace {
float floatAt(const void* block, size_t offset)
{
    float value;
    std::memcpy(&value, (const char*)block + offset, sizeof(value));
    return value;
}
}

TEST(GpuBlockLayout, ConstantsImageFollowsStd140)
{
    GPUConstants constants;
    constants.emissivityMul = 2.5f;
    constants.forceBlack = true;
    for (int face = 0; face < faceCount; ++face)
        constants.vwFaces[face] = {0.1f * face, 0.2f + face, 0.3f + face, 4.0f + face, 0.5f};
    ConstantsBlock block = buildConstantsBlock(constants);
    EXPECT_EQ(sizeof(block), 208u);
    EXPECT_EQ(floatAt(&block, 0), 0.03f);
    EXPECT_EQ(floatAt(&block, 4), 0.85f);
    EXPECT_EQ(floatAt(&block, 8), 2.5f);
    EXPECT_EQ(floatAt(&block, 12), 1.0f);
    // std140 gives an array of 8-float structs a 32-byte stride starting at offset 16.
    for (int face = 0; face < faceCount; ++face) {
        size_t base = 16 + 32 * face;
        EXPECT_EQ(floatAt(&block, base + 0), 0.1f * face);
        EXPECT_EQ(floatAt(&block, base + 4), 0.2f + face);
        EXPECT_EQ(floatAt(&block, base + 8), 0.3f + face);
        EXPECT_EQ(floatAt(&block, base + 12), 4.0f + face);
        EXPECT_EQ(floatAt(&block, base + 16), 0.5f);
        EXPECT_EQ(floatAt(&block, base + 20), 0.0f);
        EXPECT_EQ(floatAt(&block, base + 24), 0.0f);
        EXPECT_EQ(floatAt(&block, base + 28), 0.0f);
    }
    constants.forceBlack = false;
    block = buildConstantsBlock(constants);
    EXPECT_EQ(floatAt(&block, 12), 0.0f);
}

TEST(GpuBlockLayout, ViewBlockFollowsStd140)
{
    EXPECT_EQ(sizeof(ViewsUBO), 752u);
    EXPECT_EQ(offsetof(ViewsUBO, numViews), 0u);
    EXPECT_EQ(offsetof(ViewsUBO, volSize), 4u);
    EXPECT_EQ(offsetof(ViewsUBO, renderMode), 8u);
    EXPECT_EQ(offsetof(ViewsUBO, refractionEnabled), 12u);
    EXPECT_EQ(offsetof(ViewsUBO, hihatPulse), 16u);
    EXPECT_EQ(offsetof(ViewsUBO, views), 32u);
    // Each vec3 shares its 16-byte slot with the float after it; the struct stride is 80.
    EXPECT_EQ(offsetof(ViewParams, rect), 0u);
    EXPECT_EQ(offsetof(ViewParams, pos), 16u);
    EXPECT_EQ(offsetof(ViewParams, fov), 28u);
    EXPECT_EQ(offsetof(ViewParams, fwd), 32u);
    EXPECT_EQ(offsetof(ViewParams, gamma), 44u);
    EXPECT_EQ(offsetof(ViewParams, right), 48u);
    EXPECT_EQ(offsetof(ViewParams, virtualW), 60u);
    EXPECT_EQ(offsetof(ViewParams, up), 64u);
    EXPECT_EQ(offsetof(ViewParams, cropX), 76u);
    EXPECT_EQ(sizeof(ViewParams), 80u);
}
