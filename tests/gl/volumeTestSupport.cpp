// tests/gl/volumeTestSupport.cpp
#include "volumeTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "app/demoApp.h"
#include "gpu/constants.h"
#include "gpu/fillDispatch.h"
#include "gpu/giPass.h"
#include "gpu/giState.h"
#include "gpu/occupancy.h"
#include "gpu/programs.h"
#include "gpu/renderSettings.h"
#include "scenes/sceneRegistry.h"
#include "sequencer/sceneBase.h"
#include "shaderSources.h"
#include "testShaders.h"

namespace {
FillProgram testFill;
}

Gpu& testGpu()
{
    static Gpu gpu;
    return gpu;
}

ShowState& testShow()
{
    static ShowState show;
    return show;
}

void uploadTestConstants()
{
    writeConstants(testGpu().buffers, buildConstantsBlock(testShow().renderSettings, testShow().walls));
}

void runTestGi(unsigned frameId, float blend, int raysPerFrame)
{
    runGiFrame(testGpu(), planGiPass({false, {true, blend}, frameId}, testShow().renderSettings, raysPerFrame));
}

void runTestGiFrame(int raysPerFrame)
{
    uploadTestConstants();
    GiFrame frame = planGiFrame(testShow().gi, testShow().renderSettings.giBlend);
    runGiFrame(testGpu(), planGiPass(frame, testShow().renderSettings, raysPerFrame));
}

void runSceneFill(const cSceneBase& scene, int volSize)
{
    FillPlan plan;
    plan.run = true;
    plan.program = scene.fillRow;
    plan.volSize = volSize;
    plan.request = scene.fill();
    plan.constants = buildConstantsBlock(testShow().renderSettings, testShow().walls);
    dispatchFill(testGpu(), plan);
}

void prepareVolume(int size)
{
    Gpu& gpu = testGpu();
    testShow() = ShowState();
    gpu.emptySpaceSkipping = true;
    // Every program, the test fill's among them, is built once for the whole run.
    if (!testFill.handle) {
        buildAllPrograms(gpu.programs, gpu.fills, sceneProgramRows());
        testFill =
            buildFillProgram({"fillTestShapes", {constants_glsl, noise_glsl, vol_write_glsl, fillTestShapes_glsl}});
        createUniformBuffers(gpu.buffers);
    }
    gpu.volume.requestedGiScale = 1;
    checkVolumeResources(gpu.volume, size);
    testShow().renderSettings.volSize = size;
    uploadTestConstants();
}

void runTestFill(TestShape shape, const std::vector<float>& params)
{
    FillPlan plan;
    plan.volSize = testGpu().volume.volSize;
    plan.constants = buildConstantsBlock(testShow().renderSettings, testShow().walls);
    plan.request.uniforms = {{"shape", (int)shape}};
    // The parameter array is set here: a fill request carries single values only.
    glUseProgram(testFill.handle);
    glUniform1fv(glGetUniformLocation(testFill.handle, "a"), (GLsizei)params.size(), params.data());
    dispatchFillProgram(testGpu(), testFill, plan);
    updateOccupancy(testGpu());
}

bool prepareScene(cSceneBase& scene, const char* programName, int volSize)
{
    prepareVolume(volSize);  // with the clock at 0, the scene's time
    const std::vector<SceneRow>& rows = sceneRegistry();
    for (size_t row = 0; row < rows.size(); ++row)
        if (std::string(rows[row].programName) == programName)
            scene.fillRow = (int)row;
    scene.enter();
    return scene.fillRow >= 0 && testGpu().fills[scene.fillRow].handle != 0;
}

std::vector<float> readTexture3D(GLuint texture, int size, GLenum format, int components)
{
    std::vector<float> data((size_t)size * size * size * components);
    glMemoryBarrier(GL_TEXTURE_UPDATE_BARRIER_BIT);
    glBindTexture(GL_TEXTURE_3D, texture);
    glGetTexImage(GL_TEXTURE_3D, 0, format, GL_FLOAT, data.data());
    glBindTexture(GL_TEXTURE_3D, 0);
    return data;
}

std::vector<GLubyte> readOccupancy()
{
    int bricks = occupancyBrickCount(testGpu().volume.volSize);
    std::vector<GLubyte> data((size_t)bricks * bricks * bricks * 2);
    glMemoryBarrier(GL_TEXTURE_UPDATE_BARRIER_BIT);
    glBindTexture(GL_TEXTURE_3D, testGpu().volume.occupancyTex);
    glGetTexImage(GL_TEXTURE_3D, 0, GL_RG_INTEGER, GL_UNSIGNED_BYTE, data.data());
    glBindTexture(GL_TEXTURE_3D, 0);
    return data;
}

std::vector<float> readGiBuffer()
{
    std::vector<float> data((size_t)testGpu().volume.giSize * testGpu().volume.giSize * testGpu().volume.giSize * 4);
    glMemoryBarrier(GL_BUFFER_UPDATE_BARRIER_BIT);
    glBindBuffer(GL_SHADER_STORAGE_BUFFER, testGpu().volume.giBuffer);
    glGetBufferSubData(GL_SHADER_STORAGE_BUFFER, 0, data.size() * sizeof(float), data.data());
    glBindBuffer(GL_SHADER_STORAGE_BUFFER, 0);
    return data;
}

void writeGiBuffer(float r, float g, float b)
{
    const float value[4] = {r, g, b, 0.0f};
    glBindBuffer(GL_SHADER_STORAGE_BUFFER, testGpu().volume.giBuffer);
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
    glReadPixels(0, 0, width, height, GL_RGBA, GL_FLOAT, pixels.data());
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glDeleteFramebuffers(1, &framebuffer);
    glDeleteTextures(1, &colour);
    return pixels;
}

Voxel VolumeReadback::at(int x, int y, int z) const
{
    size_t i = ((size_t)z * size + y) * size + x;
    return {colour[4 * i], colour[4 * i + 1], colour[4 * i + 2], colour[4 * i + 3], emissRough[2 * i],
            emissRough[2 * i + 1]};
}

VolumeReadback readVolume()
{
    const VolumeResources& volume = testGpu().volume;
    return {volume.volSize, readTexture3D(volume.volumeTex, volume.volSize, GL_RGBA, 4),
            readTexture3D(volume.emissRoughTex, volume.volSize, GL_RG, 2)};
}
