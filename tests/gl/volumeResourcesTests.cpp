// tests/gl/volumeResourcesTests.cpp
#include <gtest/gtest.h>

#include "glTestContext.h"
#include "gpu/giPass.h"
#include "gpu/giState.h"
#include "gpu/volumeResources.h"
#include "volumeTestSupport.h"

namespace {
int textureWidth(GLuint texture)
{
    GLint width = 0;
    glBindTexture(GL_TEXTURE_3D, texture);
    glGetTexLevelParameteriv(GL_TEXTURE_3D, 0, GL_TEXTURE_WIDTH, &width);
    glBindTexture(GL_TEXTURE_3D, 0);
    return width;
}
}

TEST(VolumeResources, GiScaleChangeKeepsTheVolumeAndZeroesTheGiWhileBadSizesAreRefused)
{
    prepareVolume(16);
    runTestFill(shapeSphere, {0.5f, 0.5f, 0.5f, 0.3f});
    std::vector<float> filled = readTexture3D(volume.volumeTex, 16, GL_RGBA, 4);
    writeGiBuffer(3.0f, 3.0f, 3.0f);
    runGiCopy(volume.giSize);
    GLuint volumeTex = volume.volumeTex;
    EXPECT_FALSE(checkVolumeResources(16));

    requestedGiScale = 2;
    EXPECT_TRUE(checkVolumeResources(16));
    EXPECT_EQ(volume.volumeTex, volumeTex);
    EXPECT_EQ(readTexture3D(volume.volumeTex, 16, GL_RGBA, 4), filled);
    EXPECT_FALSE(giResetRequested);
    EXPECT_EQ(volume.giSize, 8);
    EXPECT_EQ(textureWidth(volume.giTex), 8);
    EXPECT_EQ(textureWidth(volume.emissRoughTex), 16);
    const std::vector<float> zeros(8 * 8 * 8 * 4, 0.0f);
    EXPECT_EQ(readGiBuffer(), zeros);
    EXPECT_EQ(readTexture3D(volume.giTex, 8, GL_RGBA, 4), zeros);

    // No voxel, or a scale that leaves no GI cell, cannot be built: the resources stay as they are.
    const int badSizes[][2] = {{0, 1}, {16, 0}, {16, 32}};
    for (auto [size, scale] : badSizes) {
        requestedGiScale = scale;
        EXPECT_FALSE(checkVolumeResources(size)) << size << " at scale " << scale;
    }
    EXPECT_EQ(volume.volumeTex, volumeTex);
    EXPECT_EQ(volume.giSize, 8);

    requestedGiScale = 1;
    EXPECT_TRUE(checkVolumeResources(8));
    EXPECT_TRUE(giResetRequested);
    EXPECT_EQ(textureWidth(volume.volumeTex), 8);
    EXPECT_EQ(volume.giSize, 8);

    deleteVolumeResources();
    EXPECT_TRUE(volume.volumeTex == 0 && volume.emissRoughTex == 0 && volume.giBuffer == 0 && volume.giTex == 0 &&
                volume.linearSampler == 0 && volume.nearestSampler == 0);
    EXPECT_TRUE(checkVolumeResources(8));
    EXPECT_NE(volume.volumeTex, 0u);
    EXPECT_TRUE(takeGlErrors().empty());
}
