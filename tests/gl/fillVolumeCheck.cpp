// tests/gl/fillVolumeCheck.cpp
#include "fillVolumeCheck.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>

#include "app/pngWriter.h"
#include "glTestContext.h"
#include "gpu/constants.h"
#include "gpu/programs.h"
#include "gpu/volumeResources.h"

Voxel VolumeReadback::at(int x, int y, int z) const
{
    size_t i = ((size_t)z * size + y) * size + x;
    return {colour[4 * i], colour[4 * i + 1], colour[4 * i + 2], colour[4 * i + 3], emissRough[2 * i],
            emissRough[2 * i + 1]};
}

unsigned prepareFill(const char* programName, int volSize)
{
    createUniformBuffers();
    checkVolumeResources(volSize);
    for (const ProgramRow& row : fillProgramRows())
        if (std::string(row.name) == programName) {
            if (!*row.handle)
                *row.handle = buildComputeProgram(row.name, row.pieces);
            return *row.handle;
        }
    return 0;
}

VolumeReadback readVolume()
{
    VolumeReadback v;
    v.size = volume.volSize;
    v.colour = readTexture3D(volume.volumeTex, v.size, GL_RGBA, 4);
    v.emissRough = readTexture3D(volume.emissRoughTex, v.size, GL_RG, 2);
    return v;
}

bool edgeVoxel(int x, int y, int z, int size, Voxel& out)
{
    float f[3] = {centre(x, size), centre(y, size), centre(z, size)};
    float edgeW = 4.0f / (float)size;
    int near = 0;
    for (float c : f)
        near += (c < edgeW || c > 1.0f - edgeW) ? 1 : 0;
    if (near < 2)
        return false;
    int face = 0;
    float best = f[0];
    for (int k = 1; k < 6; ++k) {
        float d = (k & 1) ? 1.0f - f[k / 2] : f[k / 2];
        if (d < best) {
            best = d;
            face = k;
        }
    }
    const VWFace& w = gpuConstants.vwFaces[face];
    out = {w.r, w.g, w.b, 1.0f, w.emissivity, w.roughness};
    return true;
}

namespace {
bool close(float got, float want)
{
    // RGBA16F and RG16F keep 11 significant bits.
    return std::fabs(got - want) <= 1e-3f + 1e-3f * std::fabs(want);
}
}

bool sameVoxel(const Voxel& got, const Voxel& want)
{
    return close(got.r, want.r) && close(got.g, want.g) && close(got.b, want.b) && close(got.a, want.a) &&
           close(got.emissivity, want.emissivity) && close(got.roughness, want.roughness);
}

ExpectedVoxel evaluateWithMargin(const VoxelModel& model, int x, int y, int z, int size)
{
    const float nudge = 1e-4f;
    float p[3] = {centre(x, size), centre(y, size), centre(z, size)};
    ExpectedVoxel e{model(x, y, z, p[0], p[1], p[2]), false};
    for (int axis = 0; axis < 3 && !e.ambiguous; ++axis)
        for (float sign : {-1.0f, 1.0f}) {
            float q[3] = {p[0], p[1], p[2]};
            q[axis] += sign * nudge;
            if (!sameVoxel(model(x, y, z, q[0], q[1], q[2]), e.value))
                e.ambiguous = true;
        }
    return e;
}

VolumeComparison compareVolume(const VolumeReadback& volume, const VoxelModel& model)
{
    VolumeComparison result;
    int n = volume.size;
    for (int z = 0; z < n; ++z)
        for (int y = 0; y < n; ++y)
            for (int x = 0; x < n; ++x) {
                ExpectedVoxel want = evaluateWithMargin(model, x, y, z, n);
                if (want.ambiguous) {
                    ++result.ambiguous;
                    continue;
                }
                Voxel got = volume.at(x, y, z);
                if (sameVoxel(got, want.value))
                    continue;
                if (++result.mismatches <= 8) {
                    char line[256];
                    std::snprintf(line, sizeof(line),
                                  "(%d,%d,%d) got %.3f %.3f %.3f a%.3f e%.3f r%.3f want %.3f %.3f %.3f a%.3f e%.3f r%.3f\n",
                                  x, y, z, got.r, got.g, got.b, got.a, got.emissivity, got.roughness, want.value.r,
                                  want.value.g, want.value.b, want.value.a, want.value.emissivity,
                                  want.value.roughness);
                    result.firstMismatches += line;
                }
            }
    return result;
}

void writeSlicePng(const VolumeReadback& volume, int axis, int index, const char* fileName)
{
    int n = volume.size;
    std::vector<uint8_t> rgba((size_t)n * n * 4);
    for (int row = 0; row < n; ++row)
        for (int col = 0; col < n; ++col) {
            // Top row first, so y (or z for the horizontal slice) grows upwards in the picture.
            int up = n - 1 - row;
            int x = axis == 0 ? index : col;
            int y = axis == 1 ? index : up;
            int z = axis == 2 ? index : (axis == 1 ? up : col);
            Voxel v = volume.at(x, y, z);
            float boost = 1.0f + 0.25f * std::min(v.emissivity, 4.0f);
            float c[3] = {v.r, v.g, v.b};
            uint8_t* out = &rgba[((size_t)row * n + col) * 4];
            for (int k = 0; k < 3; ++k)
                out[k] = (uint8_t)std::clamp(c[k] * std::min(v.a * 10.0f, 1.0f) * boost * 255.0f, 0.0f, 255.0f);
            out[3] = 255;
        }
    writePng(testOutputPath(fileName).c_str(), n, n, rgba.data());
}
