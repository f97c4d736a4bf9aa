// tests/gl/volumeTestSupport.cpp
#include "volumeTestSupport.h"

#include "gpu/constants.h"
#include "gpu/fillDispatch.h"
#include "gpu/giState.h"
#include "gpu/programs.h"
#include "gpu/renderSettings.h"
#include "gpu/volumeResources.h"
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
    if (!programs.updateGI)
        programs.updateGI = compileComputeProgram(updateGI_glsl, "updateGI");
    if (!programs.giCopy)
        programs.giCopy = compileComputeProgram(giCopy_glsl, "giCopy");
    if (!programs.raymarch)
        programs.raymarch = buildRaymarchProgram(raymarchVertex_glsl, raymarchFragment_glsl);
    if (!testFillProgram)
        testFillProgram = buildComputeProgram("fillTestShapes", {noise_glsl, vol_write_glsl, fillTestShapes_glsl});
    if (!uniformBuffers.constants)
        createUniformBuffers();
    requestedGiScale = 1;
    checkVolumeResources(size);
    renderSettings.volSize = size;
    uploadConstants();
    giResetRequested = false;
}

void runTestFill(TestShape shape, const std::vector<float>& params)
{
    uploadConstants();
    dispatchFill(testFillProgram, volume.volSize, 0.0f, [&](const FillUniforms& u) {
        u.setInt("shape", shape);
        glUniform1fv(glGetUniformLocation(u.program, "a"), (GLsizei)params.size(), params.data());
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

void writeGiBuffer(float r, float g, float b)
{
    const float value[4] = {r, g, b, 0.0f};
    glBindBuffer(GL_SHADER_STORAGE_BUFFER, volume.giBuffer);
    glClearBufferData(GL_SHADER_STORAGE_BUFFER, GL_RGBA32F, GL_RGBA, GL_FLOAT, value);
    glBindBuffer(GL_SHADER_STORAGE_BUFFER, 0);
}

std::vector<float> drawOffscreen(int width, int height, const std::function<void()>& draw, GLenum format)
{
    GLuint colour = 0, framebuffer = 0;
    glGenTextures(1, &colour);
    glBindTexture(GL_TEXTURE_2D, colour);
    glTexStorage2D(GL_TEXTURE_2D, 1, format, width, height);
    glBindTexture(GL_TEXTURE_2D, 0);
    glGenFramebuffers(1, &framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, colour, 0);
    glViewport(0, 0, width, height);
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT);
    draw();
    std::vector<float> pixels((size_t)width * height * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_FLOAT, pixels.data());
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glDeleteFramebuffers(1, &framebuffer);
    glDeleteTextures(1, &colour);
    return pixels;
}
