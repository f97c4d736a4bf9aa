// tests/cpu/gpuBlockLayoutTests.cpp
// The CPU images of the Constants and view blocks must match the std140 layout the shaders declare.
#include <gtest/gtest.h>

#include <cstring>

#include "gpu/constants.h"
#include "gpu/viewLayouts.h"

TEST(GpuBlockLayout, ConstantsAndViewBlocksFollowStd140)
{
    GPUConstants constants;
    constants.emissivityMul = 2.5f;
    constants.forceBlack = true;
    for (int face = 0; face < faceCount; ++face)
        constants.vwFaces[face] = {0.1f * face, 0.2f + face, 0.3f + face, 4.0f + face, 0.5f};
    ConstantsBlock block = buildConstantsBlock(constants);
    float image[52];
    static_assert(sizeof(image) == sizeof(block));
    std::memcpy(image, &block, sizeof(block));
    EXPECT_EQ(image[0], 0.03f);
    EXPECT_EQ(image[1], 0.85f);
    EXPECT_EQ(image[2], 2.5f);
    EXPECT_EQ(image[3], 1.0f);
    // std140 gives an array of 8-float structs a 32-byte stride starting at offset 16, padding zeroed.
    for (int face = 0; face < faceCount; ++face) {
        const float expected[8] = {0.1f * face, 0.2f + face, 0.3f + face, 4.0f + face, 0.5f, 0, 0, 0};
        for (int i = 0; i < 8; ++i)
            EXPECT_EQ(image[4 + 8 * face + i], expected[i]) << "face " << face << " float " << i;
    }
    constants.forceBlack = false;
    EXPECT_EQ(buildConstantsBlock(constants).forceBlack, 0.0f);

    // Each vec3 shares its 16-byte slot with the float after it; the struct stride is 80.
    const size_t offsets[][2] = {{offsetof(ViewsUBO, volSize), 4},      {offsetof(ViewsUBO, renderMode), 8},
                                 {offsetof(ViewsUBO, refractionEnabled), 12}, {offsetof(ViewsUBO, hihatPulse), 16},
                                 {offsetof(ViewParams, pos), 16},       {offsetof(ViewParams, fov), 28},
                                 {offsetof(ViewParams, fwd), 32},       {offsetof(ViewParams, gamma), 44},
                                 {offsetof(ViewParams, right), 48},     {offsetof(ViewParams, virtualW), 60},
                                 {offsetof(ViewParams, up), 64},        {offsetof(ViewParams, cropX), 76}};
    for (auto [actual, expected] : offsets)
        EXPECT_EQ(actual, expected);
}
