// tests/gl/fillVolumeCheck.h
// Runs a scene's fill into a real volume, reads both textures back and compares them with a CPU model.
#pragma once

#include <functional>
#include <string>
#include <vector>

struct Voxel {
    float r = 0.0f, g = 0.0f, b = 0.0f, a = 0.0f, emissivity = 0.0f, roughness = 1.0f;
};

// What the CPU model expects at one voxel; ambiguous voxels sit on a boundary that rounding may tip either way.
struct ExpectedVoxel {
    Voxel value;
    bool ambiguous = false;
};

struct VolumeReadback {
    int size = 0;
    std::vector<float> colour;       // RGBA per voxel, x fastest
    std::vector<float> emissRough;  // RG per voxel
    Voxel at(int x, int y, int z) const;
};

// Creates the uniform buffers and a volume of the given edge length if they are missing; builds the named
// fill program of the composition table. Returns its handle (0 when it did not build).
unsigned prepareFill(const char* programName, int volSize);

VolumeReadback readVolume();

// The wireframe edge colour of voxel (x, y, z) from the current wall faces, or false when it is no edge voxel.
bool edgeVoxel(int x, int y, int z, int size, Voxel& out);

// Voxel centre in the unit cube.
inline float centre(int i, int size)
{
    return ((float)i + 0.5f) / (float)size;
}

// A model of one fill: the voxel at integer (x, y, z) whose centre is p.
using VoxelModel = std::function<Voxel(int x, int y, int z, float px, float py, float pz)>;

// Evaluates the model at the voxel centre; the voxel is ambiguous when nudging the centre by a tiny step along
// any axis changes the answer, since the GPU's rounding may then land on either side.
ExpectedVoxel evaluateWithMargin(const VoxelModel& model, int x, int y, int z, int size);

bool sameVoxel(const Voxel& got, const Voxel& want);

struct VolumeComparison {
    int mismatches = 0;
    int ambiguous = 0;
    std::string firstMismatches;  // up to eight, for the failure message
};

// Compares every voxel with the model within half-float precision.
VolumeComparison compareVolume(const VolumeReadback& volume, const VoxelModel& model);

// Writes one slice (axis 0: x = index, 1: y = index, 2: z = index) as albedo times opacity, emissive voxels brightened.
void writeSlicePng(const VolumeReadback& volume, int axis, int index, const char* fileName);
