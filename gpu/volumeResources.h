// gpu/volumeResources.h
// The voxel volume and its companions, created on the first frame and re-created when their size changes, and
// the two uniform buffers.
#pragma once

#include <GL/glew.h>

#include "gpu/constants.h"
#include "gpu/viewLayouts.h"

struct VolumeResources {
    GLuint volumeTex = 0;      // RGBA16F albedo and opacity
    GLuint emissRoughTex = 0;  // RG16F emissivity and roughness
    GLuint giBuffer = 0;       // giSize^3 vec4
    GLuint giTex = 0;          // RGBA32F copy of the GI buffer
    GLuint linearSampler = 0;
    GLuint nearestSampler = 0;
    GLuint occupancyTex = 0;   // RG8UI per brick, made with the volume: how far the GI rays and the filter find nothing
    int volSize = 0;  // applied sizes; 0 until the first check
    int giScale = 0;
    int giSize = 0;
    int requestedGiScale = 1;  // the check re-creates the GI resources when it changes
};

struct UniformBuffers {
    GLuint constants = 0;  // ConstantsBlock at CONSTANTS_BINDING
    GLuint views = 0;      // ViewsUBO at VIEWS_BINDING
};

void createUniformBuffers(UniformBuffers& buffers);
void deleteUniformBuffers(UniformBuffers& buffers);
void writeConstants(const UniformBuffers& buffers, const ConstantsBlock& block);
void writeViews(const UniformBuffers& buffers, const ViewsUBO& views);
// Returns true when anything was (re)created this frame; the GI starts out cleared.
bool checkVolumeResources(VolumeResources& volume, int volSize);
void deleteVolumeResources(VolumeResources& volume);
