// tests/gl/volumeTestSupport.cpp
#include "volumeTestSupport.h"

#include "gpu/constants.h"
#include "gpu/giState.h"
#include "gpu/programs.h"
#include "gpu/volumeResources.h"
#include "sequencer/renderSettings.h"
#include "shaderSources.h"
#include "testShaders.h"

namespace {
GLuint testFillProgram = 0;
}

void prepareVolume(int size)
{
    renderSettings = RenderSettings{};
    gpuConstants = GPUConstants{};
    resetGiStateDefaults();
    // Other tests may have run the demo in a context of its own; its program names mean nothing here.
    if (!glIsProgram(programs.updateGI))
        programs.updateGI = compileComputeProgram(updateGI_glsl, "updateGI");
    if (!glIsProgram(programs.giCopy))
        programs.giCopy = compileComputeProgram(giCopy_glsl, "giCopy");
    if (!glIsProgram(programs.raymarch))
        programs.raymarch = buildRaymarchProgram(raymarchVertex_glsl, raymarchFragment_glsl);
    if (!glIsProgram(testFillProgram))
        testFillProgram = buildComputeProgram("fillTestShapes", {noise_glsl, vol_write_glsl, fillTestShapes_glsl});
    createUniformBuffers();
    requestedGiScale = 1;
    checkVolumeResources(size);
    renderSettings.volSize = size;
    uploadConstants();
    giResetRequested = false;
}

void runTestFill(TestShape shape, const ShapeParams& params)
{
    uploadConstants();
    dispatchFill(testFillProgram, volume.volSize, 0.0f, [&](const FillUniforms& u) {
        u.setInt("shape", shape);
        u.setFloat("cx", params.cx);
        u.setFloat("cy", params.cy);
        u.setFloat("cz", params.cz);
        u.setFloat("hx", params.hx);
        u.setFloat("hy", params.hy);
        u.setFloat("hz", params.hz);
        u.setFloat("angle", params.angle);
    });
}

std::vector<float> readGiBuffer()
{
    std::vector<float> data((size_t)volume.giSize * volume.giSize * volume.giSize * 4);
    glMemoryBarrier(GL_BUFFER_UPDATE_BARRIER_BIT);
    glBindBuffer(GL_SHADER_STORAGE_BUFFER, volume.giBuffer);
    glGetBufferSubData(GL_SHADER_STORAGE_BUFFER, 0, data.size() * sizeof(float), data.data());
    glBindBuffer(GL_SHADER_STORAGE_BUFFER, 0);
    return data;
}

void writeGiBuffer(float value)
{
    std::vector<float> data((size_t)volume.giSize * volume.giSize * volume.giSize * 4, value);
    glBindBuffer(GL_SHADER_STORAGE_BUFFER, volume.giBuffer);
    glBufferSubData(GL_SHADER_STORAGE_BUFFER, 0, data.size() * sizeof(float), data.data());
    glBindBuffer(GL_SHADER_STORAGE_BUFFER, 0);
}

cTestTarget::cTestTarget(int width, int height, GLenum format) : width(width), height(height)
{
    glGenTextures(1, &colour);
    glBindTexture(GL_TEXTURE_2D, colour);
    glTexStorage2D(GL_TEXTURE_2D, 1, format, width, height);
    glBindTexture(GL_TEXTURE_2D, 0);
    glGenFramebuffers(1, &framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, colour, 0);
    glViewport(0, 0, width, height);
}

cTestTarget::~cTestTarget()
{
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    if (framebuffer) {
        glDeleteFramebuffers(1, &framebuffer);
        framebuffer = 0;
    }
    if (colour) {
        glDeleteTextures(1, &colour);
        colour = 0;
    }
}

std::vector<float> cTestTarget::readPixels() const
{
    std::vector<float> pixels((size_t)width * height * 4);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_FLOAT, pixels.data());
    return pixels;
}
