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

bool allZero(const std::vector<float>& values)
{
    for (float v : values)
        if (v != 0.0f)
            return false;
    return true;
}
}

TEST(VolumeResources, GiScaleChangeKeepsTheVolumeAndZeroesTheGi)
{
    prepareVolume(16);
    runTestFill(shapeSphere, {0.5f, 0.5f, 0.5f, 0.3f});
    std::vector<float> filled = readTexture3D(volume.volumeTex, 16, GL_RGBA, 4);
    writeGiBuffer(3.0f);
    runGiCopy(volume.giSize);
    VolumeResources before = volume;
    EXPECT_FALSE(checkVolumeResources(16));

    requestedGiScale = 2;
    EXPECT_TRUE(checkVolumeResources(16));
    EXPECT_EQ(volume.volumeTex, before.volumeTex);
    EXPECT_EQ(volume.linearSampler, before.linearSampler);
    EXPECT_EQ(volume.nearestSampler, before.nearestSampler);
    EXPECT_EQ(volume.giScale, 2);
    EXPECT_EQ(volume.giSize, 8);
    EXPECT_FALSE(giResetRequested);
    EXPECT_EQ(readTexture3D(volume.volumeTex, 16, GL_RGBA, 4), filled);
    EXPECT_EQ(textureWidth(volume.giTex), 8);
    EXPECT_EQ(textureWidth(volume.emissRoughTex), 16);
    GLint giBytes = 0;
    glBindBuffer(GL_SHADER_STORAGE_BUFFER, volume.giBuffer);
    glGetBufferParameteriv(GL_SHADER_STORAGE_BUFFER, GL_BUFFER_SIZE, &giBytes);
    glBindBuffer(GL_SHADER_STORAGE_BUFFER, 0);
    EXPECT_EQ(giBytes, 8 * 8 * 8 * 16);
    EXPECT_TRUE(allZero(readGiBuffer()));
    EXPECT_TRUE(allZero(readTexture3D(volume.giTex, 8, GL_RGBA, 4)));

    // A scale that leaves no GI cell is refused and the resources stay as they are.
    requestedGiScale = 0;
    EXPECT_FALSE(checkVolumeResources(16));
    requestedGiScale = 32;
    EXPECT_FALSE(checkVolumeResources(16));
    EXPECT_EQ(volume.giSize, 8);

    requestedGiScale = 1;
    EXPECT_TRUE(checkVolumeResources(8));
    EXPECT_TRUE(giResetRequested);
    EXPECT_EQ(volume.volSize, 8);
    EXPECT_EQ(volume.giSize, 8);
    EXPECT_EQ(textureWidth(volume.volumeTex), 8);

    deleteVolumeResources();
    EXPECT_EQ(volume.volumeTex, 0u);
    EXPECT_EQ(volume.emissRoughTex, 0u);
    EXPECT_EQ(volume.giBuffer, 0u);
    EXPECT_EQ(volume.giTex, 0u);
    EXPECT_EQ(volume.linearSampler, 0u);
    EXPECT_EQ(volume.nearestSampler, 0u);
    EXPECT_TRUE(checkVolumeResources(8));
    EXPECT_NE(volume.volumeTex, 0u);
    EXPECT_TRUE(takeGlErrors().empty());
}
