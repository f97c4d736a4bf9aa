// gpu/giPass.cpp
// Gathers light into the GI buffer, copies it into the GI texture, and clears both on a reset.
#include "gpu/giPass.h"

#include <algorithm>
#include <vector>

#include "gpu/gpu.h"
#include "gpu/gpuBindings.h"
#include "gpu/occupancy.h"
#include "gpu/passPlans.h"

namespace {
void clearGiTexture(const VolumeResources& volume)
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

void giClear(const VolumeResources& volume)
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
        clearGiTexture(volume);
}

namespace {
void runGiPass(Gpu& gpu, const GiPlan& plan)
{
    const UpdateGiProgram& program = gpu.programs.updateGI;
    const VolumeResources& volume = gpu.volume;
    if (!program.handle || !volume.giBuffer)
        return;
    glUseProgram(program.handle);
    glBindBufferBase(GL_SHADER_STORAGE_BUFFER, GI_BUFFER_BINDING, volume.giBuffer);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_3D, volume.volumeTex);
    glBindSampler(0, volume.nearestSampler);
    glUniform1i(program.at.volSampler, 0);
    glBindImageTexture(EMISS_ROUGH_IMAGE, volume.emissRoughTex, 0, GL_TRUE, 0, GL_READ_ONLY, GL_RG16F);
    glActiveTexture(GL_TEXTURE1);
    glBindTexture(GL_TEXTURE_3D, volume.emissRoughTex);
    glBindSampler(1, volume.nearestSampler);
    glUniform1i(program.at.emissRoughSampler, 1);
    glActiveTexture(GL_TEXTURE2);
    glBindTexture(GL_TEXTURE_3D, volume.occupancyTex);
    glBindSampler(2, volume.nearestSampler);
    glUniform1i(program.at.occupancySampler, 2);
    glBindBufferBase(GL_UNIFORM_BUFFER, CONSTANTS_BINDING, gpu.buffers.constants);

    int giSize = volume.giSize;
    glUniform1i(program.at.w, giSize);
    glUniform1i(program.at.h, giSize);
    glUniform1i(program.at.d, giSize);
    glUniform1ui(program.at.frameId, plan.frameId);
    glUniform1f(program.at.blend, plan.blend);
    // No rays would divide the sum by zero and leave NaN in the buffer for good.
    glUniform1i(program.at.raysPerFrame, std::max(plan.raysPerFrame, 1));
    glUniform1f(program.at.falloff, plan.falloff);
    glUniform1i(program.at.samplingMode, plan.samplingMode);
    glUniform1i(program.at.giScale, volume.giScale);
    glUniform1i(program.at.volW, volume.volSize);
    glUniform1i(program.at.multibounce, plan.multibounce ? 1 : 0);
    glUniform1i(program.at.opaquePassthrough, plan.opaquePassthrough ? 1 : 0);
    glUniform1i(program.at.brickSize, occupancyBrickSize);
    glUniform1i(program.at.skipEmpty, skippingApplies(gpu, volume.volSize) ? 1 : 0);

    GLuint groups = (GLuint)(giSize + GI_GROUP_SIZE - 1) / GI_GROUP_SIZE;
    glDispatchCompute(groups, groups, groups);
    glMemoryBarrier(GL_SHADER_STORAGE_BARRIER_BIT);
    for (GLuint unit = 3; unit-- > 0;) {
        glBindSampler(unit, 0);
        glActiveTexture(GL_TEXTURE0 + unit);
        glBindTexture(GL_TEXTURE_3D, 0);
    }
    glUseProgram(0);
}
}

void runGiCopy(Gpu& gpu)
{
    const GiCopyProgram& program = gpu.programs.giCopy;
    const VolumeResources& volume = gpu.volume;
    if (!program.handle || !volume.giTex)
        return;
    glUseProgram(program.handle);
    glBindImageTexture(GI_IMAGE, volume.giTex, 0, GL_TRUE, 0, GL_WRITE_ONLY, GL_RGBA32F);
    glBindBufferBase(GL_SHADER_STORAGE_BUFFER, GI_BUFFER_BINDING, volume.giBuffer);
    glUniform1i(program.at.w, volume.giSize);
    GLuint groups = (GLuint)(volume.giSize + GI_GROUP_SIZE - 1) / GI_GROUP_SIZE;
    glDispatchCompute(groups, groups, groups);
    // The renderer filters the GI texture next.
    glMemoryBarrier(GL_TEXTURE_FETCH_BARRIER_BIT);
    glUseProgram(0);
}

void runGiFrame(Gpu& gpu, const GiPlan& plan)
{
    if (plan.clear)
        giClear(gpu.volume);
    if (!plan.run)
        return;
    runGiPass(gpu, plan);
    runGiCopy(gpu);
}
