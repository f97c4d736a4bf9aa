// gpu/occupancy.cpp
// Rebuilds the brick distances from the volume: one pass marks the bricks, three spread the marks along x, y, z.
#include "gpu/occupancy.h"

#include <GL/glew.h>

#include "gpu/programs.h"
#include "gpu/volumeResources.h"

bool emptySpaceSkipping = true;

int occupancyBrickCount(int volSize)
{
    return (volSize + occupancyBrickSize - 1) / occupancyBrickSize;
}

bool skippingApplies(int volSize)
{
    return emptySpaceSkipping && volSize == volume.volSize && occupancyBrickCount(volSize) <= maxOccupancyBricks;
}

void updateOccupancy()
{
    GLuint program = programs.updateOccupancy;
    if (!program || !programs.spreadOccupancy || !volume.occupancyTex)
        return;
    glUseProgram(program);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_3D, volume.volumeTex);
    glBindSampler(0, volume.nearestSampler);
    setUniformInt(program, "volSampler", 0);
    // The spreading passes below read the marks back through the same binding.
    glBindImageTexture(0, volume.occupancyTex, 0, GL_TRUE, 0, GL_READ_WRITE, GL_RG8UI);
    setUniformInt(program, "volW", volume.volSize);
    setUniformInt(program, "brickSize", occupancyBrickSize);
    int bricks = occupancyBrickCount(volume.volSize);
    GLuint groups = (GLuint)(bricks + 3) / 4;
    glDispatchCompute(groups, groups, groups);
    glBindSampler(0, 0);
    glBindTexture(GL_TEXTURE_3D, 0);

    glUseProgram(programs.spreadOccupancy);
    GLuint rowGroups = (GLuint)(bricks + 7) / 8;
    for (int axis = 0; axis < 3; ++axis) {
        glMemoryBarrier(GL_SHADER_IMAGE_ACCESS_BARRIER_BIT);
        setUniformInt(programs.spreadOccupancy, "axis", axis);
        glDispatchCompute(rowGroups, rowGroups, 1);
    }
    // The GI pass and the raymarch fetch it next.
    glMemoryBarrier(GL_TEXTURE_FETCH_BARRIER_BIT);
    glUseProgram(0);
}
