// gpu/fillDispatch.cpp
// Runs one scene's fill compute shader over the whole volume.
#include "gpu/fillDispatch.h"

#include "gpu/programs.h"
#include "gpu/volumeResources.h"

void FillUniforms::setInt(const char* name, int value) const
{
    setUniformInt(program, name, value);
}

void FillUniforms::setFloat(const char* name, float value) const
{
    setUniformFloat(program, name, value);
}

void dispatchFill(unsigned program, int volSize, float timeSec,
                  const std::function<void(const FillUniforms&)>& sceneUniforms)
{
    if (!program || !volume.volumeTex)
        return;
    glUseProgram(program);
    glBindImageTexture(0, volume.volumeTex, 0, GL_TRUE, 0, GL_READ_WRITE, GL_RGBA16F);
    glBindImageTexture(1, volume.emissRoughTex, 0, GL_TRUE, 0, GL_READ_WRITE, GL_RG16F);
    glBindBufferBase(GL_UNIFORM_BUFFER, 3, uniformBuffers.constants);
    FillUniforms uniforms{program};
    uniforms.setInt("volW", volSize);
    uniforms.setInt("volH", volSize);
    uniforms.setInt("volD", volSize);
    uniforms.setFloat("time", timeSec);
    if (sceneUniforms)
        sceneUniforms(uniforms);
    GLuint groups = (GLuint)(volSize + 3) / 4;
    glDispatchCompute(groups, groups, groups);
    // The GI pass and the renderer read what the fill stored.
    glMemoryBarrier(GL_ALL_BARRIER_BITS);
    glUseProgram(0);
}
