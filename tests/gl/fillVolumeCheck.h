// tests/gl/fillVolumeCheck.h
// Runs a scene's fill into a real volume, reads it back and compares chosen slices with a CPU model of the room.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "gpu/constants.h"
#include "gpu/renderSettings.h"
#include "sequencer/demoClock.h"

struct Voxel {
    float r = 0.0f, g = 0.0f, b = 0.0f, a = 0.0f, emissivity = 0.0f, roughness = 1.0f;
};

struct VolumeReadback {
    int size = 0;
    std::vector<float> colour, emissRough;  // RGBA and RG per voxel, x fastest
    Voxel at(int x, int y, int z) const;
};

// Creates the uniform buffers and the volume if missing and builds the named fill program of the composition
// table; returns its handle, 0 when it did not build.
unsigned prepareFill(const char* programName, int volSize);
VolumeReadback readVolume();

// What the voxel (x, y, z) whose centre in the unit cube is p should hold.
using VoxelModel = std::function<Voxel(int x, int y, int z, float px, float py, float pz)>;

// Expects every listed slice (axis 0 x, 1 y, 2 z; index) of the volume to match the model within half-float
// precision, and writes each to <name>_<axis><index>.png. The wireframe edges are left to the fill library's
// tests; voxels whose answer changes when the centre is nudged are skipped, as GPU rounding may go either way.
void expectSlicesMatch(const VolumeReadback& volume, const VoxelModel& model,
                       std::initializer_list<std::pair<int, int>> slices, const std::string& name);

// Scenes enter at clock 0, so the clock is their scene time; the settings and constants a scene's entry
// wrote are put back afterwards.
class SceneFillFixture : public ::testing::Test {
protected:
    void SetUp() override { setDemoClock(0.0); }
    void TearDown() override
    {
        renderSettings = RenderSettings();
        gpuConstants = GPUConstants();
    }
};
