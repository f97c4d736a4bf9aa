// tests/gl/emptySpaceSkippingTests.cpp
// The brick occupancy, and the GI and the picture with empty space skipped against the full march.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "gpu/constants.h"
#include "gpu/giPass.h"
#include "gpu/occupancy.h"
#include "gpu/renderSettings.h"
#include "gpu/renderer.h"
#include "gpu/volumeResources.h"
#include "volumeTestSupport.h"

namespace {
const int n = 32, bricks = n / occupancyBrickSize;

// An occupancy that claims every brick empty shows that a pass really consults it.
void claimEveryBrickEmpty()
{
    const VolumeResources& volume = testGpu().volume;
    std::vector<GLubyte> empty(bricks * bricks * bricks * 2, 255);
    glBindTexture(GL_TEXTURE_3D, volume.occupancyTex);
    glTexSubImage3D(GL_TEXTURE_3D, 0, 0, 0, 0, bricks, bricks, bricks, GL_RG_INTEGER, GL_UNSIGNED_BYTE, empty.data());
    glBindTexture(GL_TEXTURE_3D, 0);
}

std::vector<float> giPassFrom(const std::vector<float>& start, bool skipping)
{
    const VolumeResources& volume = testGpu().volume;
    testGpu().emptySpaceSkipping = skipping;
    glBindBuffer(GL_SHADER_STORAGE_BUFFER, volume.giBuffer);
    glBufferSubData(GL_SHADER_STORAGE_BUFFER, 0, start.size() * sizeof(float), start.data());
    glBindBuffer(GL_SHADER_STORAGE_BUFFER, 0);
    runTestGi(5, 1.0f, 4);
    return readGiBuffer();
}

float largestDifference(const std::vector<float>& a, const std::vector<float>& b)
{
    float largest = 0.0f;
    for (size_t i = 0; i < a.size(); ++i)
        largest = std::max(largest, std::fabs(a[i] - b[i]));
    return largest;
}
}

TEST(EmptySpaceSkipping, EachBrickKnowsHowFarTheNearestVoxelThatARayCouldHitOrTheFilterCouldSeeIs)
{
    const VolumeResources& volume = testGpu().volume;
    prepareVolume(n);
    // The lone voxel (2b - 1, 2b, 2b - 1) is in brick (1, 2, 1) and within a voxel of bricks 1 to 2 on every axis.
    // 0.0501 and 0.0499 store as the half floats either side of 0.05 (0.05 falls below).
    for (float opacity : {0.0501f, 0.0499f, 0.0f, 0.0501f}) {
        runTestFill(shapeBrickMix, {(float)occupancyBrickSize, opacity, 0.0f});
        std::vector<GLubyte> occupancy = readOccupancy();
        int wrong = 0;
        for (int i = 0; i < bricks * bricks * bricks; ++i) {
            int brick[3] = {i % bricks, i / bricks % bricks, i / (bricks * bricks)}, toHit = 0, toSee = 0;
            for (int axis = 0; axis < 3; ++axis) {
                toHit = std::max(toHit, std::abs(brick[axis] - (axis == 1 ? 2 : 1)));
                toSee = std::max(toSee, std::max(1 - brick[axis], brick[axis] - 2));
            }
            wrong += occupancy[2 * i] != (opacity > 0.05f ? toHit : 255);
            wrong += occupancy[2 * i + 1] != (opacity > 0.0f ? toSee : 255);
        }
        EXPECT_EQ(wrong, 0) << "opacity " << opacity;
    }
    // The spreading passes read the marks back through their image binding, so it must allow reads.
    GLint name = 0, access = 0;
    glGetIntegeri_v(GL_IMAGE_BINDING_NAME, 0, &name);
    glGetIntegeri_v(GL_IMAGE_BINDING_ACCESS, 0, &access);
    EXPECT_TRUE(name == (GLint)volume.occupancyTex && access == GL_READ_WRITE) << name << " " << access;
    EXPECT_TRUE(takeGlErrors().empty());
}

TEST(EmptySpaceSkipping, GiIsBitIdenticalWithoutBouncesAndWithinTheirRaceWithThem)
{
    prepareVolume(n);
    runTestFill(shapeBrickMix, {(float)occupancyBrickSize, 0.0501f, 1.0f});
    for (int face = 0; face < faceCount; ++face)
        testShow().walls.vwFaces[face] = {0.3f, 0.4f, 0.5f, face == facePosY ? 2.0f : 0.0f, 1.0f};
    uploadTestConstants();
    testShow().renderSettings.samplingMode = 0;  // every direction generator in turn
    testShow().renderSettings.falloff = 0.5f;
    testShow().renderSettings.multibounce = false;
    const std::vector<float> zero((size_t)n * n * n * 4, 0.0f);
    std::vector<float> reference = giPassFrom(zero, false), skipped = giPassFrom(zero, true);
    EXPECT_EQ(memcmp(reference.data(), skipped.data(), reference.size() * sizeof(float)), 0);
    claimEveryBrickEmpty();
    EXPECT_GT(largestDifference(giPassFrom(zero, true), reference), 0.1f);

    // Bounces read cells that the same pass may be rewriting, old or new value. Near the fixed point of these
    // rays (albedos at most 0.5) a pass moves no cell much, and two passes from one start, skipping or not, part
    // by less than that move.
    updateOccupancy(testGpu());
    testShow().renderSettings.multibounce = true;
    std::vector<float> start = zero;
    for (int pass = 0; pass < 14; ++pass)
        start = giPassFrom(start, false);
    reference = giPassFrom(start, false);
    std::vector<float> again = giPassFrom(start, false);
    skipped = giPassFrom(start, true);
    float step = largestDifference(reference, start);
    EXPECT_LE(largestDifference(again, reference), step);
    EXPECT_LE(largestDifference(skipped, reference), step);
    EXPECT_LT(step, 1e-3f * *std::max_element(reference.begin(), reference.end()));
    EXPECT_TRUE(takeGlErrors().empty());
}

TEST(EmptySpaceSkipping, PicturesMatchTheFullMarchAlsoWithTheSwellAndWithRefraction)
{
    prepareVolume(n);
    runTestFill(shapeBrickMix, {(float)occupancyBrickSize, 1.0f, 1.0f});
    // Light that varies from voxel to voxel shows any sample that moved.
    testShow().walls.vwFaces[faceNegX] = {1.0f, 0.6f, 0.3f, 3.0f, 1.0f};
    uploadTestConstants();
    runTestGi(0, 1.0f, 4);
    testShow().renderSettings.refractionIOR = 1.3f;
    auto draw = [&](bool skipping, float pulse, bool refraction) {
        testGpu().emptySpaceSkipping = skipping;
        ViewSetup setup{.mainBasis = {}, .yaws = {}, .pitches = {}, .viewDistance = 1.6f, .volSize = n,
                        .width = 192, .height = 128, .gamma = 2.2f, .refraction = refraction, .hihatPulse = pulse};
        for (int k = 0; k < maxViews; ++k) {
            setup.yaws[k] = 0.6f + 1.7f * k;
            setup.pitches[k] = -0.8f + 0.2f * k;
        }
        ViewsUBO views = buildViews(setup, 2);  // four views, each from its own side
        return drawOffscreen(192, 128, [&] { drawRaymarch(testGpu(), planDrawPass(views, testShow().renderSettings)); });
    };
    const struct { float pulse; bool refraction; } frames[] = {{0.0f, false}, {1.0f, false}, {0.0f, true}};
    for (auto [pulse, refraction] : frames)
        EXPECT_LE(largestDifference(draw(true, pulse, refraction), draw(false, pulse, refraction)), 1.0f / 255)
            << "pulse " << pulse << " refraction " << refraction;
    claimEveryBrickEmpty();
    EXPECT_GT(largestDifference(draw(true, 0.0f, false), draw(false, 0.0f, false)), 0.1f);
    EXPECT_TRUE(takeGlErrors().empty());
}
