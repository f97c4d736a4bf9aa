// tests/gl/giPassTests.cpp
// The GI gather and its per-frame control, checked on small volumes.
#include <gtest/gtest.h>

#include <cmath>

#include "glTestContext.h"
#include "gpu/constants.h"
#include "gpu/giPass.h"
#include "gpu/giState.h"
#include "gpu/volumeResources.h"
#include "sequencer/renderSettings.h"
#include "volumeTestSupport.h"

namespace {
float giAt(const std::vector<float>& gi, int size, int x, int y, int z, int channel)
{
    return gi[(((size_t)z * size + y) * size + x) * 4 + channel];
}

void expectEverywhere(const std::vector<float>& values, const float rgb[3], const char* what)
{
    int wrong = 0;
    for (size_t i = 0; i < values.size(); i += 4)
        for (int c = 0; c < 3; ++c)
            wrong += std::fabs(values[i + c] - rgb[c]) > 1e-5f * std::max(1.0f, rgb[c]);
    EXPECT_EQ(wrong, 0) << what << " expected " << rgb[0] << ", " << rgb[1] << ", " << rgb[2]
                        << " found " << values[0] << ", " << values[1] << ", " << values[2];
}
}

TEST(GiPass, FrameBlendsFollowTheAccumulationMode)
{
    // In an empty cube every ray ends on a wall, so one frame's sample is exactly albedo x emissivity.
    const int size = 8;
    prepareVolume(size);
    runTestFill(shapeEmpty);
    for (int face = 0; face < faceCount; ++face)
        gpuConstants.vwFaces[face] = {0.5f, 0.25f, 1.0f, 2.0f, 1.0f};
    uploadConstants();
    renderSettings.multibounce = false;
    renderSettings.raysPerFrame = 3;
    writeGiBuffer(9.0f);
    giResetRequested = true;

    struct Frame {
        int mode;
        float emissivityMul;
        float blend;
    };
    const Frame frames[] = {{giProgressive, 1.0f, 1.0f}, {giProgressive, 3.0f, 0.5f}, {giProgressive, 5.0f, 1.0f / 3},
                            {giRunningAverage, 2.0f, 0.3f}, {giProgressive, 4.0f, 0.25f}, {giProgressive, 6.0f, 0.2f},
                            {giFrozen, 100.0f, 0.0f}};
    float expected[3] = {9.0f, 9.0f, 9.0f};
    unsigned frameId = giFrameId;
    for (const Frame& frame : frames) {
        giAccumMode = frame.mode;
        gpuConstants.emissivityMul = frame.emissivityMul;
        giFrameControl();
        const float albedo[3] = {0.5f, 0.25f, 1.0f};
        for (int c = 0; c < 3; ++c)
            expected[c] = expected[c] * (1.0f - frame.blend) + albedo[c] * 2.0f * frame.emissivityMul * frame.blend;
        frameId += frame.mode == giFrozen ? 0 : 1;
        SCOPED_TRACE(testing::Message() << "mode " << frame.mode << " blend " << frame.blend);
        EXPECT_FALSE(giResetRequested);
        EXPECT_EQ(giFrameId, frameId);
        expectEverywhere(readGiBuffer(), expected, "GI buffer");
        expectEverywhere(readTexture3D(volume.giTex, size, GL_RGBA, 4), expected, "GI texture");
    }
    EXPECT_EQ(giAccumCount, 5);
    EXPECT_TRUE(takeGlErrors().empty());
}

TEST(GiPass, BuriedCellsAreZeroedUnlessPassthroughKeepsThem)
{
    const int size = 16;
    prepareVolume(size);
    runTestFill(shapeBox, {0.5f, 0.5f, 0.5f, 0.25f, 0.25f, 0.25f});
    // Only the walls emit and nothing bounces, so every cell that gathers ends at most at 0.85.
    for (int face = 0; face < faceCount; ++face)
        gpuConstants.vwFaces[face].emissivity = 1.0f;
    uploadConstants();
    renderSettings.multibounce = false;
    // The box covers voxels 4..11; cells whose six neighbours are all solid are buried.
    auto buried = [](int x, int y, int z) {
        return x >= 5 && x <= 10 && y >= 5 && y <= 10 && z >= 5 && z <= 10;
    };
    for (bool passthrough : {false, true}) {
        renderSettings.opaquePassthrough = passthrough;
        writeGiBuffer(7.0f);
        runGiPass(size, size, 0, 1.0f, 2);
        std::vector<float> gi = readGiBuffer();
        int wrong = 0;
        for (int z = 0; z < size; ++z)
            for (int y = 0; y < size; ++y)
                for (int x = 0; x < size; ++x)
                    if (buried(x, y, z))
                        wrong += giAt(gi, size, x, y, z, 0) != (passthrough ? 7.0f : 0.0f);
                    else
                        wrong += giAt(gi, size, x, y, z, 0) > 1.0f;
        EXPECT_EQ(wrong, 0) << "passthrough " << passthrough;
    }
    EXPECT_TRUE(takeGlErrors().empty());
}

TEST(GiPass, AnEmissiveCeilingLightsTheFloorAndOnlyBouncesReachTheShadow)
{
    const int size = 16;
    prepareVolume(size);
    // Floor: voxels y 0..3. Slab: y 9..10 over x and z 5..10. Only the ceiling (+y) emits.
    runTestFill(shapeFloorAndSlab);
    gpuConstants.vwFaces[facePosY] = {1.0f, 0.8f, 0.6f, 4.0f, 1.0f};
    uploadConstants();
    renderSettings.multibounce = false;
    renderSettings.raysPerFrame = 16;
    giAccumMode = giProgressive;
    for (int frame = 0; frame < 4; ++frame)
        giFrameControl();
    std::vector<float> gi = readGiBuffer();
    for (int x : {1, 2, 13, 14})
        for (int z : {1, 7, 14}) {
            float lit = giAt(gi, size, x, 3, z, 0);
            EXPECT_GT(lit, 0.1f) << "floor top at " << x << ", " << z;
            // At most every ray ends on the ceiling.
            EXPECT_LE(lit, 4.0f + 1e-4f);
            EXPECT_NEAR(giAt(gi, size, x, 3, z, 2) / lit, 0.6f, 1e-4f);
        }
    float slabUnderside = 0.0f;
    for (int x = 6; x <= 9; ++x)
        for (int z = 6; z <= 9; ++z) {
            EXPECT_EQ(giAt(gi, size, x, 1, z, 0), 0.0f) << "buried floor cell";
            for (int c = 0; c < 3; ++c)
                slabUnderside += giAt(gi, size, x, 9, z, c);
        }
    // Facing only the unlit floor and walls, the underside gets nothing without bounces.
    EXPECT_EQ(slabUnderside, 0.0f);

    renderSettings.multibounce = true;
    for (int frame = 0; frame < 4; ++frame)
        giFrameControl();
    gi = readGiBuffer();
    slabUnderside = 0.0f;
    for (int x = 6; x <= 9; ++x)
        for (int z = 6; z <= 9; ++z)
            slabUnderside += giAt(gi, size, x, 9, z, 0);
    EXPECT_GT(slabUnderside, 0.0f);
    EXPECT_TRUE(takeGlErrors().empty());
}
