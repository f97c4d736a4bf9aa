// gpu/fillDispatch.cpp
// Runs one scene's fill compute shader over the whole volume.
#include "gpu/fillDispatch.h"

#include <GL/glew.h>

#include <cassert>

#include "gpu/gpu.h"
#include "gpu/gpuBindings.h"
#include "gpu/passPlans.h"

namespace {
void setSceneUniform(const FillProgram& program, const FillUniform& uniform)
{
    for (const ActiveUniform& active : program.active) {
        if (active.name != uniform.name)
            continue;
        if (uniform.isInt)
            glUniform1i(active.location, uniform.intValue);
        else
            glUniform1f(active.location, uniform.floatValue);
        return;
    }
    assert(!"a scene sets a fill uniform its program does not declare");
}
}

void dispatchFill(Gpu& gpu, const FillPlan& plan)
{
    if (plan.program >= 0 && plan.program < (int)gpu.fills.size())
        dispatchFillProgram(gpu, gpu.fills[plan.program], plan);
}

void dispatchFillProgram(Gpu& gpu, const FillProgram& program, const FillPlan& plan)
{
    const VolumeResources& volume = gpu.volume;
    if (!program.handle || !volume.volumeTex)
        return;
    writeConstants(gpu.buffers, plan.constants);
    glUseProgram(program.handle);
    glBindImageTexture(VOLUME_IMAGE, volume.volumeTex, 0, GL_TRUE, 0, GL_READ_WRITE, GL_RGBA16F);
    glBindImageTexture(EMISS_ROUGH_IMAGE, volume.emissRoughTex, 0, GL_TRUE, 0, GL_READ_WRITE, GL_RG16F);
    glBindBufferBase(GL_UNIFORM_BUFFER, CONSTANTS_BINDING, gpu.buffers.constants);
    glUniform1i(program.volW, plan.volSize);
    glUniform1i(program.volH, plan.volSize);
    glUniform1i(program.volD, plan.volSize);
    glUniform1f(program.time, plan.request.timeSec);
    for (const FillUniform& uniform : plan.request.uniforms)
        setSceneUniform(program, uniform);
    GLuint groups = (GLuint)(plan.volSize + FILL_GROUP_SIZE - 1) / FILL_GROUP_SIZE;
    glDispatchCompute(groups, groups, groups);
    // The GI pass and the renderer read what the fill stored.
    glMemoryBarrier(GL_ALL_BARRIER_BITS);
    glUseProgram(0);
}
