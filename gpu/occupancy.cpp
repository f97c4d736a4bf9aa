// gpu/occupancy.cpp
// Rebuilds the brick distances from the volume: one pass marks the bricks, three spread the marks along x, y, z.
#include "gpu/occupancy.h"

#include <GL/glew.h>

#include "gpu/gpu.h"
#include "gpu/gpuBindings.h"

int occupancyBrickCount(int volSize)
{
    return (volSize + occupancyBrickSize - 1) / occupancyBrickSize;
}

bool skippingApplies(const Gpu& gpu, int volSize)
{
    return gpu.emptySpaceSkipping && volSize == gpu.volume.volSize &&
           occupancyBrickCount(volSize) <= maxOccupancyBricks;
}

void updateOccupancy(Gpu& gpu)
{
    const UpdateOccupancyProgram& mark = gpu.programs.updateOccupancy;
    const SpreadOccupancyProgram& spread = gpu.programs.spreadOccupancy;
    const VolumeResources& volume = gpu.volume;
    if (!mark.handle || !spread.handle || !volume.occupancyTex)
        return;
    glUseProgram(mark.handle);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_3D, volume.volumeTex);
    glBindSampler(0, volume.nearestSampler);
    glUniform1i(mark.at.volSampler, 0);
    // The spreading passes below read the marks back through the same binding.
    glBindImageTexture(OCCUPANCY_IMAGE, volume.occupancyTex, 0, GL_TRUE, 0, GL_READ_WRITE, GL_RG8UI);
    glUniform1i(mark.at.volW, volume.volSize);
    glUniform1i(mark.at.brickSize, occupancyBrickSize);
    int bricks = occupancyBrickCount(volume.volSize);
    GLuint groups = (GLuint)(bricks + OCCUPANCY_GROUP_SIZE - 1) / OCCUPANCY_GROUP_SIZE;
    glDispatchCompute(groups, groups, groups);
    glBindSampler(0, 0);
    glBindTexture(GL_TEXTURE_3D, 0);

    glUseProgram(spread.handle);
    GLuint rowGroups = (GLuint)(bricks + SPREAD_GROUP_SIZE - 1) / SPREAD_GROUP_SIZE;
    for (int axis = 0; axis < 3; ++axis) {
        glMemoryBarrier(GL_SHADER_IMAGE_ACCESS_BARRIER_BIT);
        glUniform1i(spread.at.axis, axis);
        glDispatchCompute(rowGroups, rowGroups, 1);
    }
    // The GI pass and the raymarch fetch it next.
    glMemoryBarrier(GL_TEXTURE_FETCH_BARRIER_BIT);
    glUseProgram(0);
}
