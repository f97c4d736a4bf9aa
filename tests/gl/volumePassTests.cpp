// tests/gl/volumePassTests.cpp
// The passes on small volumes: the GI gather, its per-frame control and its resources against the values the walls
// and blends imply, and the raymarch's forced black; the golden pictures show the rest of the draw.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <utility>

#include "gpu/constants.h"
#include "gpu/giPass.h"
#include "gpu/giState.h"
#include "gpu/occupancy.h"
#include "gpu/renderSettings.h"
#include "gpu/renderer.h"
#include "gpu/viewLayouts.h"
#include "gpu/volumeResources.h"
#include "sequencer/camera.h"
#include "volumeTestSupport.h"

namespace {
ViewsUBO viewsFor(int width, int height, int layout, float yaw, float pitch, float distance = 1.6f)
{
    const VolumeResources& volume = testGpu().volume;
    ViewSetup setup{.mainBasis = buildCameraBasis(yaw, pitch, distance), .yaws = {}, .pitches = {},
                    .viewDistance = distance, .volSize = volume.volSize, .width = width, .height = height,
                    .gamma = testShow().renderSettings.gamma, .refraction = false, .hihatPulse = 0.0f};
    for (int k = 0; k < maxViews; ++k) {
        setup.yaws[k] = yaw + 0.5f * k;
        setup.pitches[k] = pitch;
    }
    return buildViews(setup, layout);
}
}

TEST(Renderer, ForceBlackTurnsEveryRayThatMeetsTheCubeOpaqueBlackAndLeavesMissesAndTheGapsBetweenViews)
{
    prepareVolume(16);
    runTestFill(shapeEmpty);
    writeGiBuffer(0.5f, 0.5f, 0.5f);
    runGiCopy(testGpu());
    // Layout 1 at 96 x 64 leaves the side columns (24 wide) uncovered above, between and below its views.
    const int width = 96, height = 64;
    ViewsUBO views = viewsFor(width, height, 1, 0.7f, -0.5f);
    std::vector<float> plain = drawOffscreen(width, height, [&] { drawRaymarch(testGpu(), planDrawPass(views, testShow().renderSettings)); });
    testShow().walls.forceBlack = true;
    uploadTestConstants();
    std::vector<float> black = drawOffscreen(width, height, [&] { drawRaymarch(testGpu(), planDrawPass(views, testShow().renderSettings)); });
    int uncovered = 0, hits = 0, wrong = 0;
    for (size_t at = 0; at < black.size(); at += 4) {
        uncovered += black[at + 3] == 0.0f;
        bool same = std::equal(&black[at], &black[at + 4], &plain[at]);
        hits += !same;
        wrong += !same && (black[at] != 0 || black[at + 1] != 0 || black[at + 2] != 0 || black[at + 3] != 1);
    }
    EXPECT_TRUE(uncovered == 2 * 24 * (64 - 2 * 25) && hits > 1000 && wrong == 0) << uncovered << " " << hits;
    EXPECT_TRUE(takeGlErrors().empty());
}

TEST(GiPass, FrameBlendsFollowTheAccumulationModeAnEmissiveCeilingLightsTheFloorAndBuriedCellsAreZeroed)
{
    const VolumeResources& volume = testGpu().volume;
    // In an empty cube every ray ends on a wall, so one frame's sample is exactly albedo x emissivity.
    prepareVolume(8);
    runTestFill(shapeEmpty);
    const float albedo[3] = {0.5f, 0.25f, 1.0f};
    for (int face = 0; face < faceCount; ++face)
        testShow().walls.vwFaces[face] = {albedo[0], albedo[1], albedo[2], 2.0f, 1.0f};
    uploadTestConstants();
    testShow().renderSettings.multibounce = false;
    testShow().renderSettings.raysPerFrame = 3;
    writeGiBuffer(9.0f, 9.0f, 9.0f);
    testShow().gi.giResetRequested = true;
    // The reset clears the old 9s; progressive then averages, carrying on from the running average's history.
    const struct { int mode; float emissivityMul, blend; } frames[] = {
        {giProgressive, 1.0f, 1.0f},    {giProgressive, 3.0f, 0.5f},  {giProgressive, 5.0f, 1.0f / 3},
        {giRunningAverage, 2.0f, 0.3f}, {giProgressive, 4.0f, 0.25f}, {giProgressive, 6.0f, 0.2f},
        {giFrozen, 100.0f, 0.0f}};
    float expected[3] = {9.0f, 9.0f, 9.0f};
    unsigned frameId = testShow().gi.giFrameId;
    for (const auto& frame : frames) {
        testShow().gi.giAccumMode = frame.mode;
        testShow().walls.emissivityMul = frame.emissivityMul;
        runTestGiFrame(testShow().renderSettings.raysPerFrame);
        for (int c = 0; c < 3; ++c)
            expected[c] += (albedo[c] * 2.0f * frame.emissivityMul - expected[c]) * frame.blend;
        frameId += frame.mode != giFrozen;
        SCOPED_TRACE(testing::Message() << "mode " << frame.mode << " blend " << frame.blend);
        EXPECT_TRUE(!testShow().gi.giResetRequested && testShow().gi.giFrameId == frameId);
        for (const std::vector<float>& gi : {readGiBuffer(), readTexture3D(volume.giTex, 8, GL_RGBA, 4)}) {
            int wrong = 0;
            for (size_t i = 0; i < gi.size(); i += 4)
                for (int c = 0; c < 3; ++c)
                    wrong += std::fabs(gi[i + c] - expected[c]) > 1e-5f * std::max(1.0f, expected[c]);
            EXPECT_EQ(wrong, 0) << "expected " << expected[0] << " found " << gi[0];
        }
    }

    // An emissive ceiling lights the floor, only bounces reach the shadow, and buried cells are zeroed.
    const int n = 16;
    prepareVolume(n);
    auto giAt = [](const std::vector<float>& gi, int x, int y, int z, int c) {
        return gi[((z * n + y) * n + x) * 4 + c];
    };
    // Floor: voxels y 0..3. Slab: y 9..10 over x and z 5..10. Only the ceiling (+y) emits.
    runTestFill(shapeFloorAndSlab);
    testShow().walls.vwFaces[facePosY] = {1.0f, 0.8f, 0.6f, 4.0f, 1.0f};
    uploadTestConstants();
    testShow().renderSettings.raysPerFrame = 16;
    testShow().gi.giAccumMode = giProgressive;
    // The first progressive frame replaces these 7s everywhere, except in buried cells unless they are zeroed.
    writeGiBuffer(7.0f, 7.0f, 7.0f);
    for (bool multibounce : {false, true}) {
        testShow().renderSettings.multibounce = multibounce;
        for (int frame = 0; frame < 4; ++frame)
            runTestGiFrame(testShow().renderSettings.raysPerFrame);
        std::vector<float> gi = readGiBuffer();
        float slabUnderside = 0.0f;
        for (int x = 6; x <= 9; ++x)
            for (int z = 6; z <= 9; ++z) {
                EXPECT_EQ(giAt(gi, x, 1, z, 0), 0.0f) << "buried floor cell, zeroed";
                slabUnderside += giAt(gi, x, 9, z, 0) + giAt(gi, x, 9, z, 1) + giAt(gi, x, 9, z, 2);
            }
        // Facing only the unlit floor and walls, the underside gets light from bounces alone.
        EXPECT_EQ(slabUnderside > 0.0f, multibounce);
        if (multibounce)
            continue;
        for (int x : {1, 2, 13, 14})
            for (int z : {1, 7, 14}) {
                // Between nothing and every ray ending on the ceiling, in the ceiling's colour.
                float lit = giAt(gi, x, 3, z, 0);
                EXPECT_TRUE(lit > 0.1f && lit <= 4.0f + 1e-4f && std::fabs(giAt(gi, x, 3, z, 2) / lit - 0.6f) < 1e-4f)
                    << lit << " on the floor at " << x << ", " << z;
            }
    }
    // With passthrough a buried cell keeps what it had, while the floor's surface gathers anew.
    testShow().renderSettings.opaquePassthrough = true;
    testShow().renderSettings.multibounce = false;
    writeGiBuffer(7.0f, 7.0f, 7.0f);
    runTestGi(0, 1.0f, 2);
    std::vector<float> gi = readGiBuffer();
    for (int x = 6; x <= 9; ++x)
        for (int z = 6; z <= 9; ++z)
            EXPECT_EQ(giAt(gi, x, 1, z, 0), 7.0f) << "buried floor cell";
    EXPECT_LE(giAt(gi, 1, 3, 1, 0), 4.0f + 1e-4f);
    EXPECT_TRUE(takeGlErrors().empty());
}

TEST(VolumeResources, GiScaleChangeKeepsTheVolumeAndZeroesTheGiWhileBadSizesAreRefused)
{
    VolumeResources& volume = testGpu().volume;
    auto width = [](GLuint texture) {
        GLint w = 0;
        glBindTexture(GL_TEXTURE_3D, texture);
        glGetTexLevelParameteriv(GL_TEXTURE_3D, 0, GL_TEXTURE_WIDTH, &w);
        glBindTexture(GL_TEXTURE_3D, 0);
        return w;
    };
    prepareVolume(16);
    runTestFill(shapeSphere, {0.5f, 0.5f, 0.5f, 0.3f});
    std::vector<float> filled = readTexture3D(volume.volumeTex, 16, GL_RGBA, 4);
    writeGiBuffer(3.0f, 3.0f, 3.0f);
    runGiCopy(testGpu());
    GLuint volumeTex = volume.volumeTex, occupancyTex = volume.occupancyTex;
    EXPECT_FALSE(checkVolumeResources(volume, 16));

    volume.requestedGiScale = 2;
    EXPECT_TRUE(checkVolumeResources(volume, 16) && volume.volumeTex == volumeTex &&
                volume.occupancyTex == occupancyTex && !testShow().gi.giResetRequested && volume.giSize == 8);
    EXPECT_EQ(readTexture3D(volume.volumeTex, 16, GL_RGBA, 4), filled);
    EXPECT_TRUE(width(volume.giTex) == 8 && width(volume.emissRoughTex) == 16);
    const std::vector<float> zeros(8 * 8 * 8 * 4, 0.0f);
    EXPECT_TRUE(readGiBuffer() == zeros && readTexture3D(volume.giTex, 8, GL_RGBA, 4) == zeros);

    // No voxel, or a scale that leaves no GI cell, cannot be built: the resources stay as they are.
    for (auto [size, scale] : {std::pair{0, 1}, {16, 0}, {16, 32}}) {
        volume.requestedGiScale = scale;
        EXPECT_FALSE(checkVolumeResources(volume, size)) << size << " at scale " << scale;
    }
    EXPECT_TRUE(volume.volumeTex == volumeTex && volume.giSize == 8);

    volume.requestedGiScale = 1;
    EXPECT_TRUE(checkVolumeResources(volume, 8) && width(volume.volumeTex) == 8 && volume.giSize == 8 &&
                width(volume.occupancyTex) == occupancyBrickCount(8));

    deleteVolumeResources(testGpu().volume);
    EXPECT_TRUE(volume.volumeTex == 0 && volume.emissRoughTex == 0 && volume.giBuffer == 0 && volume.giTex == 0 &&
                volume.linearSampler == 0 && volume.nearestSampler == 0 && volume.occupancyTex == 0);
    EXPECT_TRUE(checkVolumeResources(volume, 8) && volume.volumeTex != 0);
    // A fresh occupancy lets nothing be skipped before the occupancy pass has read a fill.
    EXPECT_EQ(readOccupancy(), std::vector<GLubyte>(2 * 2 * 2 * 2, 0));
    EXPECT_TRUE(takeGlErrors().empty());
}
