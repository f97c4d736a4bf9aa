// gpu/renderer.cpp
// Draws the full-screen raymarch triangle over the lit volume.
#include "gpu/renderer.h"

#include <GL/glew.h>

#include <cmath>

#include "gpu/occupancy.h"
#include "gpu/programs.h"
#include "gpu/renderSettings.h"
#include "gpu/volumeResources.h"

namespace {
// The triangle's corners come from gl_VertexID; the array only satisfies the draw call.
GLuint emptyVertexArray = 0;

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

void drawRaymarch(const ViewsUBO& views)
{
    GLuint program = programs.raymarch;
    if (!program)
        return;
    glUseProgram(program);
    bindVolumeTexture(0, volume.volumeTex, volume.linearSampler);
    setUniformInt(program, "volSampler", 0);
    bindVolumeTexture(1, volume.giTex, volume.linearSampler);
    setUniformInt(program, "giSampler", 1);
    glBindBuffer(GL_UNIFORM_BUFFER, uniformBuffers.views);
    glBufferSubData(GL_UNIFORM_BUFFER, 0, sizeof(views), &views);
    glBindBuffer(GL_UNIFORM_BUFFER, 0);
    glBindBufferBase(GL_UNIFORM_BUFFER, 4, uniformBuffers.views);
    glBindBufferBase(GL_UNIFORM_BUFFER, 3, uniformBuffers.constants);
    bindVolumeTexture(2, volume.emissRoughTex, volume.nearestSampler);
    setUniformInt(program, "emissRoughTex", 2);
    bindVolumeTexture(3, volume.occupancyTex, volume.nearestSampler);
    setUniformInt(program, "occupancySampler", 3);
    setUniformInt(program, "brickSize", occupancyBrickSize);
    setUniformInt(program, "skipEmpty", skippingApplies(views.volSize) ? 1 : 0);

    setUniformFloat(program, "refractionIOR", renderSettings.refractionIOR);
    glUniform3fv(glGetUniformLocation(program, "bgColor"), 1, renderSettings.bgColor);
    setUniformInt(program, "haloEnabled", renderSettings.haloEnabled ? 1 : 0);
    setUniformFloat(program, "haloIntensity", renderSettings.haloIntensity);

    if (!emptyVertexArray)
        glGenVertexArrays(1, &emptyVertexArray);
    glBindVertexArray(emptyVertexArray);
    glDrawArrays(GL_TRIANGLES, 0, 3);
    glBindVertexArray(0);
    glUseProgram(0);
    // Sampler objects would override the overlay's own texture parameters.
    for (GLuint unit = 4; unit-- > 0;)
        unbindVolumeTexture(unit);
}

void deleteRendererObjects()
{
    if (emptyVertexArray) {
        glDeleteVertexArrays(1, &emptyVertexArray);
        emptyVertexArray = 0;
    }
}

void drawFrameVolume(const ViewsUBO& views)
{
    float inverseGamma = 1.0f / renderSettings.gamma;
    const float* bg = renderSettings.bgColor;
    glClearColor(std::pow(bg[0], inverseGamma), std::pow(bg[1], inverseGamma), std::pow(bg[2], inverseGamma), 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    // The shader outputs premultiplied colour; alpha 0 outside every view keeps the clear colour.
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
    drawRaymarch(views);
    glDisable(GL_BLEND);
}
