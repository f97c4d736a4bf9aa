// gpu/giPass.cpp
// Gathers light into the GI buffer, copies it into the GI texture, and clears both on a reset.
#include "gpu/giPass.h"

#include <algorithm>
#include <vector>

#include "gpu/constants.h"
#include "gpu/giState.h"
#include "gpu/occupancy.h"
#include "gpu/programs.h"
#include "gpu/renderSettings.h"
#include "gpu/volumeResources.h"

namespace {
void clearGiTexture()
{
    int size = volume.giSize;
    // glClearTexImage needs GL 4.4 or ARB_clear_texture; a plain 4.3 driver gets zeros uploaded instead.
    // The entry point alone proves nothing: GLEW's experimental mode loads one for any name.
    if (GLEW_VERSION_4_4 || GLEW_ARB_clear_texture) {
        glClearTexImage(volume.giTex, 0, GL_RGBA, GL_FLOAT, nullptr);
        return;
    }
    std::vector<float> zeros((size_t)size * size * size * 4, 0.0f);
    glBindTexture(GL_TEXTURE_3D, volume.giTex);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexSubImage3D(GL_TEXTURE_3D, 0, 0, 0, 0, size, size, size, GL_RGBA, GL_FLOAT, zeros.data());
    glBindTexture(GL_TEXTURE_3D, 0);
}
}

void giClear()
{
    // The last GI pass and copy wrote these through shader stores.
    glMemoryBarrier(GL_BUFFER_UPDATE_BARRIER_BIT | GL_TEXTURE_UPDATE_BARRIER_BIT);
    if (volume.giBuffer) {
        float zero = 0.0f;
        glBindBuffer(GL_SHADER_STORAGE_BUFFER, volume.giBuffer);
        glClearBufferData(GL_SHADER_STORAGE_BUFFER, GL_R32F, GL_RED, GL_FLOAT, &zero);
        glBindBuffer(GL_SHADER_STORAGE_BUFFER, 0);
    }
    if (volume.giTex)
        clearGiTexture();
}

void runGiPass(int giSize, int volSize, unsigned frameId, float blend, int raysPerFrame)
{
    GLuint program = programs.updateGI;
    if (!program || !volume.giBuffer)
        return;
    glUseProgram(program);
    glBindBufferBase(GL_SHADER_STORAGE_BUFFER, 0, volume.giBuffer);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_3D, volume.volumeTex);
    glBindSampler(0, volume.nearestSampler);
    setUniformInt(program, "volSampler", 0);
    glBindImageTexture(1, volume.emissRoughTex, 0, GL_TRUE, 0, GL_READ_ONLY, GL_RG16F);
    glActiveTexture(GL_TEXTURE1);
    glBindTexture(GL_TEXTURE_3D, volume.emissRoughTex);
    glBindSampler(1, volume.nearestSampler);
    setUniformInt(program, "emissRoughSampler", 1);
    glActiveTexture(GL_TEXTURE2);
    glBindTexture(GL_TEXTURE_3D, volume.occupancyTex);
    glBindSampler(2, volume.nearestSampler);
    setUniformInt(program, "occupancySampler", 2);
    glBindBufferBase(GL_UNIFORM_BUFFER, 3, uniformBuffers.constants);

    setUniformInt(program, "w", giSize);
    setUniformInt(program, "h", giSize);
    setUniformInt(program, "d", giSize);
    glUniform1ui(glGetUniformLocation(program, "frameId"), frameId);
    setUniformFloat(program, "blend", blend);
    // No rays would divide the sum by zero and leave NaN in the buffer for good.
    setUniformInt(program, "raysPerFrame", std::max(raysPerFrame, 1));
    setUniformFloat(program, "falloff", renderSettings.falloff);
    setUniformInt(program, "samplingMode", renderSettings.samplingMode);
    setUniformInt(program, "giScale", volume.giScale);
    setUniformInt(program, "volW", volSize);
    setUniformInt(program, "multibounce", renderSettings.multibounce ? 1 : 0);
    setUniformInt(program, "opaquePassthrough", renderSettings.opaquePassthrough ? 1 : 0);
    setUniformInt(program, "brickSize", occupancyBrickSize);
    setUniformInt(program, "skipEmpty", skippingApplies(volSize) ? 1 : 0);

    GLuint groups = (GLuint)(giSize + 7) / 8;
    glDispatchCompute(groups, groups, groups);
    glMemoryBarrier(GL_SHADER_STORAGE_BARRIER_BIT);
    for (GLuint unit = 3; unit-- > 0;) {
        glBindSampler(unit, 0);
        glActiveTexture(GL_TEXTURE0 + unit);
        glBindTexture(GL_TEXTURE_3D, 0);
    }
    glUseProgram(0);
}

void runGiCopy(int giSize)
{
    GLuint program = programs.giCopy;
    if (!program || !volume.giTex)
        return;
    glUseProgram(program);
    glBindImageTexture(0, volume.giTex, 0, GL_TRUE, 0, GL_WRITE_ONLY, GL_RGBA32F);
    glBindBufferBase(GL_SHADER_STORAGE_BUFFER, 0, volume.giBuffer);
    setUniformInt(program, "w", giSize);
    GLuint groups = (GLuint)(giSize + 7) / 8;
    glDispatchCompute(groups, groups, groups);
    // The renderer filters the GI texture next.
    glMemoryBarrier(GL_TEXTURE_FETCH_BARRIER_BIT);
    glUseProgram(0);
}

void runGiFrame(const GiFrame& frame, int raysPerFrame)
{
    if (frame.clear)
        giClear();
    writeFrameConstants();
    if (!frame.step.run)
        return;
    runGiPass(volume.giSize, volume.volSize, frame.frameId, frame.step.blend, raysPerFrame);
    runGiCopy(volume.giSize);
}

void giFrameControl(int raysPerFrame)
{
    runGiFrame(planGiFrame(renderSettings.giBlend), raysPerFrame);
}
