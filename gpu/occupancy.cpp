// gpu/occupancy.cpp
// Rebuilds the brick occupancy from the volume: an invocation per brick, a work group per region.
#include "gpu/occupancy.h"

#include <GL/glew.h>

#include "gpu/programs.h"
#include "gpu/volumeResources.h"

bool emptySpaceSkipping = true;

int occupancyBrickCount(int volSize)
{
    return (volSize + occupancyBrickSize - 1) / occupancyBrickSize;
}

void updateOccupancy()
{
    GLuint program = programs.updateOccupancy;
    if (!program || !volume.occupancyTex)
        return;
    glUseProgram(program);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_3D, volume.volumeTex);
    glBindSampler(0, volume.nearestSampler);
    setUniformInt(program, "volSampler", 0);
    glBindImageTexture(0, volume.occupancyTex, 0, GL_TRUE, 0, GL_WRITE_ONLY, GL_RG8UI);
    setUniformInt(program, "volW", volume.volSize);
    setUniformInt(program, "brickSize", occupancyBrickSize);
    GLuint groups = (GLuint)(occupancyBrickCount(volume.volSize) + 3) / 4;
    glDispatchCompute(groups, groups, groups);
    // The GI pass and the raymarch fetch it next.
    glMemoryBarrier(GL_TEXTURE_FETCH_BARRIER_BIT);
    glBindSampler(0, 0);
    glBindTexture(GL_TEXTURE_3D, 0);
    glUseProgram(0);
}
