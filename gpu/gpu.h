// gpu/gpu.h
// Everything the OpenGL back end owns for a run of frames: programs, volume, uniform buffers, timing queries.
#pragma once

#include <vector>

#include "gpu/gpuTimer.h"
#include "gpu/programs.h"
#include "gpu/volumeResources.h"

struct Gpu {
    Programs programs;
    std::vector<FillProgram> fills;  // one per scene row, in registry order
    VolumeResources volume;
    UniformBuffers buffers;
    GpuTiming timing;
    GLuint emptyVertexArray = 0;     // the raymarch triangle's corners come from gl_VertexID
    bool emptySpaceSkipping = true;  // false: both marches take every step, the reference the skipping must match
};
