// gpu/renderer.cpp
// Draws the full-screen raymarch triangle over the lit volume.
#include "gpu/renderer.h"

#include <GL/glew.h>

#include "gpu/gpu.h"
#include "gpu/gpuBindings.h"
#include "gpu/occupancy.h"
#include "gpu/passPlans.h"

namespace {
void bindVolumeTexture(GLuint unit, GLuint texture, GLuint sampler)
{
    glActiveTexture(GL_TEXTURE0 + unit);
    glBindTexture(GL_TEXTURE_3D, texture);
    glBindSampler(unit, sampler);
}

void unbindVolumeTexture(GLuint unit)
{
    glActiveTexture(GL_TEXTURE0 + unit);
    glBindTexture(GL_TEXTURE_3D, 0);
    glBindSampler(unit, 0);
}
}

void drawRaymarch(Gpu& gpu, const DrawPlan& plan)
{
    const RaymarchProgram& program = gpu.programs.raymarch;
    const VolumeResources& volume = gpu.volume;
    if (!program.handle)
        return;
    glUseProgram(program.handle);
    bindVolumeTexture(0, volume.volumeTex, volume.linearSampler);
    glUniform1i(program.at.volSampler, 0);
    bindVolumeTexture(1, volume.giTex, volume.linearSampler);
    glUniform1i(program.at.giSampler, 1);
    writeViews(gpu.buffers, plan.views);
    glBindBufferBase(GL_UNIFORM_BUFFER, VIEWS_BINDING, gpu.buffers.views);
    glBindBufferBase(GL_UNIFORM_BUFFER, CONSTANTS_BINDING, gpu.buffers.constants);
    bindVolumeTexture(2, volume.occupancyTex, volume.nearestSampler);
    glUniform1i(program.at.occupancySampler, 2);
    glUniform1i(program.at.brickSize, occupancyBrickSize);
    glUniform1i(program.at.skipEmpty, skippingApplies(gpu, plan.views.volSize) ? 1 : 0);

    glUniform1f(program.at.refractionIOR, plan.refractionIOR);
    glUniform3fv(program.at.bgColor, 1, plan.bgColor);
    glUniform1i(program.at.haloEnabled, plan.haloEnabled ? 1 : 0);
    glUniform1f(program.at.haloIntensity, plan.haloIntensity);

    if (!gpu.emptyVertexArray)
        glGenVertexArrays(1, &gpu.emptyVertexArray);
    glBindVertexArray(gpu.emptyVertexArray);
    glDrawArrays(GL_TRIANGLES, 0, 3);
    glBindVertexArray(0);
    glUseProgram(0);
    // Sampler objects would override the overlay's own texture parameters.
    for (GLuint unit = 3; unit-- > 0;)
        unbindVolumeTexture(unit);
}

void drawFrameVolume(Gpu& gpu, const DrawPlan& plan)
{
    glClearColor(plan.clearColour[0], plan.clearColour[1], plan.clearColour[2], 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    // The shader outputs premultiplied colour; alpha 0 outside every view keeps the clear colour.
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
    drawRaymarch(gpu, plan);
    glDisable(GL_BLEND);
}

void deleteRendererObjects(Gpu& gpu)
{
    if (gpu.emptyVertexArray) {
        glDeleteVertexArrays(1, &gpu.emptyVertexArray);
        gpu.emptyVertexArray = 0;
    }
}
