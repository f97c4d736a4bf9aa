// gpu/gpuBindings.h
// Binding points and work-group sizes, shared by the C++ passes and every composed GLSL program, which receives
// this file right after its version line: keep it to #defines and line comments, valid in both languages.
#pragma once

// Uniform blocks.
#define CONSTANTS_BINDING 3
#define VIEWS_BINDING 4
// Image units: the fills write the volume and its emissivity-roughness companion, which the GI pass reads; the GI
// copy writes the GI texture and the occupancy passes their bricks.
#define VOLUME_IMAGE 0
#define EMISS_ROUGH_IMAGE 1
#define GI_IMAGE 0
#define OCCUPANCY_IMAGE 0
// The GI buffer, a storage buffer.
#define GI_BUFFER_BINDING 0

// The fills and the occupancy marks run in groups of 4^3 cells, the GI gather and copy in 8^3, the spreading in 8^2.
#define FILL_GROUP_SIZE 4
#define GI_GROUP_SIZE 8
#define OCCUPANCY_GROUP_SIZE 4
#define SPREAD_GROUP_SIZE 8
