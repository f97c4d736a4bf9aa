// gpu/gpuBindings.h
// Binding points and work-group sizes, shared by the C++ passes and every composed GLSL program, which receives
// this file right after its version line: keep it to #defines and line comments, valid in both languages.
#pragma once

#define CONSTANTS_BINDING 3
#define VIEWS_BINDING 4

// The fills and the occupancy marks run in groups of 4^3 cells, the GI gather and copy in 8^3, the spreading in 8^2.
#define FILL_GROUP_SIZE 4
#define GI_GROUP_SIZE 8
#define OCCUPANCY_GROUP_SIZE 4
#define SPREAD_GROUP_SIZE 8
