// gpu/volumeResources.cpp
// Owns the volume texture and its brick occupancy, the emissivity-roughness texture, the GI buffer and texture,
// the samplers and the two uniform buffers; re-creates only what a size change invalidates.
#include "gpu/volumeResources.h"

#include <vector>

#include "gpu/giPass.h"
#include "gpu/occupancy.h"

namespace {
GLuint createUniformBuffer(GLsizeiptr bytes)
{
    GLuint buffer = 0;
    glGenBuffers(1, &buffer);
    glBindBuffer(GL_UNIFORM_BUFFER, buffer);
    glBufferData(GL_UNIFORM_BUFFER, bytes, nullptr, GL_DYNAMIC_DRAW);
    glBindBuffer(GL_UNIFORM_BUFFER, 0);
    return buffer;
}

void setTextureParameters(GLenum filter)
{
    glTexParameteri(GL_TEXTURE_3D, GL_TEXTURE_MIN_FILTER, filter);
    glTexParameteri(GL_TEXTURE_3D, GL_TEXTURE_MAG_FILTER, filter);
    glTexParameteri(GL_TEXTURE_3D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_3D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_3D, GL_TEXTURE_WRAP_R, GL_CLAMP_TO_EDGE);
}

GLuint createImmutableTexture(GLenum format, int size)
{
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_3D, texture);
    glTexStorage3D(GL_TEXTURE_3D, 1, format, size, size, size);
    setTextureParameters(GL_NEAREST);
    glBindTexture(GL_TEXTURE_3D, 0);
    return texture;
}

// Mutable storage: the GI texture is written through an image unit and filtered linearly.
GLuint createGiTexture(int size)
{
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_3D, texture);
    glTexImage3D(GL_TEXTURE_3D, 0, GL_RGBA32F, size, size, size, 0, GL_RGBA, GL_FLOAT, nullptr);
    glTexParameteri(GL_TEXTURE_3D, GL_TEXTURE_MAX_LEVEL, 0);
    setTextureParameters(GL_LINEAR);
    glBindTexture(GL_TEXTURE_3D, 0);
    return texture;
}

// Every brick starts out occupied: until the occupancy pass has read a fill, nothing may be skipped.
GLuint createOccupancyTexture(int volSize)
{
    int bricks = occupancyBrickCount(volSize);
    GLuint texture = createImmutableTexture(GL_RG8UI, bricks);
    std::vector<GLubyte> occupied((size_t)bricks * bricks * bricks * 2, 0);
    glBindTexture(GL_TEXTURE_3D, texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexSubImage3D(GL_TEXTURE_3D, 0, 0, 0, 0, bricks, bricks, bricks, GL_RG_INTEGER, GL_UNSIGNED_BYTE, occupied.data());
    glBindTexture(GL_TEXTURE_3D, 0);
    return texture;
}

GLuint createGiBuffer(int size)
{
    GLuint buffer = 0;
    glGenBuffers(1, &buffer);
    glBindBuffer(GL_SHADER_STORAGE_BUFFER, buffer);
    glBufferData(GL_SHADER_STORAGE_BUFFER, (GLsizeiptr)size * size * size * 16, nullptr, GL_DYNAMIC_COPY);
    glBindBuffer(GL_SHADER_STORAGE_BUFFER, 0);
    return buffer;
}

GLuint createSampler(GLenum filter)
{
    GLuint sampler = 0;
    glGenSamplers(1, &sampler);
    glSamplerParameteri(sampler, GL_TEXTURE_MIN_FILTER, filter);
    glSamplerParameteri(sampler, GL_TEXTURE_MAG_FILTER, filter);
    glSamplerParameteri(sampler, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glSamplerParameteri(sampler, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glSamplerParameteri(sampler, GL_TEXTURE_WRAP_R, GL_CLAMP_TO_EDGE);
    return sampler;
}

void deleteTexture(GLuint& texture)
{
    if (texture) {
        glDeleteTextures(1, &texture);
        texture = 0;
    }
}

void deleteBuffer(GLuint& buffer)
{
    if (buffer) {
        glDeleteBuffers(1, &buffer);
        buffer = 0;
    }
}

void deleteSampler(GLuint& sampler)
{
    if (sampler) {
        glDeleteSamplers(1, &sampler);
        sampler = 0;
    }
}

void recreateVolume(VolumeResources& volume, int volSize)
{
    deleteTexture(volume.volumeTex);
    deleteSampler(volume.linearSampler);
    deleteSampler(volume.nearestSampler);
    deleteTexture(volume.occupancyTex);
    volume.volumeTex = createImmutableTexture(GL_RGBA16F, volSize);
    volume.occupancyTex = createOccupancyTexture(volSize);
    volume.linearSampler = createSampler(GL_LINEAR);
    volume.nearestSampler = createSampler(GL_NEAREST);
    volume.volSize = volSize;
}

void recreateGi(VolumeResources& volume, int giScale)
{
    deleteTexture(volume.giTex);
    deleteBuffer(volume.giBuffer);
    deleteTexture(volume.emissRoughTex);
    int giSize = volume.volSize / giScale;
    volume.giTex = createGiTexture(giSize);
    volume.giBuffer = createGiBuffer(giSize);
    volume.emissRoughTex = createImmutableTexture(GL_RG16F, volume.volSize);
    volume.giScale = giScale;
    volume.giSize = giSize;
    giClear(volume);
}

void writeUniformBuffer(GLuint buffer, const void* data, GLsizeiptr bytes)
{
    glBindBuffer(GL_UNIFORM_BUFFER, buffer);
    glBufferSubData(GL_UNIFORM_BUFFER, 0, bytes, data);
    glBindBuffer(GL_UNIFORM_BUFFER, 0);
}
}

void createUniformBuffers(UniformBuffers& buffers)
{
    buffers.constants = createUniformBuffer(sizeof(ConstantsBlock));
    buffers.views = createUniformBuffer(sizeof(ViewsUBO));
}

void deleteUniformBuffers(UniformBuffers& buffers)
{
    deleteBuffer(buffers.constants);
    deleteBuffer(buffers.views);
}

void writeConstants(const UniformBuffers& buffers, const ConstantsBlock& block)
{
    if (buffers.constants)
        writeUniformBuffer(buffers.constants, &block, sizeof(block));
}

void writeViews(const UniformBuffers& buffers, const ViewsUBO& views)
{
    if (buffers.views)
        writeUniformBuffer(buffers.views, &views, sizeof(views));
}

bool checkVolumeResources(VolumeResources& volume, int volSize)
{
    // A size below one voxel, or a scale that would leave no GI cell, cannot be built: keep what exists.
    int giScale = volume.requestedGiScale;
    if (volSize < 1 || giScale < 1 || giScale > volSize)
        return false;
    bool volumeChanged = volSize != volume.volSize;
    if (!volumeChanged && giScale == volume.giScale)
        return false;
    if (volumeChanged)
        recreateVolume(volume, volSize);
    recreateGi(volume, giScale);
    if (volumeChanged)
        glMemoryBarrier(GL_ALL_BARRIER_BITS);
    return true;
}

void deleteVolumeResources(VolumeResources& volume)
{
    deleteTexture(volume.volumeTex);
    deleteSampler(volume.linearSampler);
    deleteSampler(volume.nearestSampler);
    deleteTexture(volume.occupancyTex);
    deleteTexture(volume.giTex);
    deleteBuffer(volume.giBuffer);
    deleteTexture(volume.emissRoughTex);
    volume.volSize = 0;
    volume.giScale = 0;
    volume.giSize = 0;
}
