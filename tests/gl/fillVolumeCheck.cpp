// tests/gl/fillVolumeCheck.cpp
#include "fillVolumeCheck.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <ostream>

#include "app/pngWriter.h"
#include "glTestContext.h"
#include "gpu/programs.h"
#include "gpu/volumeResources.h"
#include "scenes/sceneRegistry.h"

Voxel VolumeReadback::at(int x, int y, int z) const
{
    size_t i = ((size_t)z * size + y) * size + x;
    return {colour[4 * i], colour[4 * i + 1], colour[4 * i + 2], colour[4 * i + 3], emissRough[2 * i],
            emissRough[2 * i + 1]};
}

unsigned prepareFill(const char* programName, int volSize)
{
    if (!uniformBuffers.constants)
        createUniformBuffers();
    checkVolumeResources(volSize);
    for (const ProgramRow& row : sceneProgramRows())
        if (std::string(row.name) == programName) {
            if (!*row.handle)
                *row.handle = buildComputeProgram(row.name, row.pieces);
            return *row.handle;
        }
    return 0;
}

VolumeReadback readVolume()
{
    return {volume.volSize, readTexture3D(volume.volumeTex, volume.volSize, GL_RGBA, 4),
            readTexture3D(volume.emissRoughTex, volume.volSize, GL_RG, 2)};
}

namespace {
// RGBA16F and RG16F keep 11 significant bits.
bool sameVoxel(const Voxel& got, const Voxel& want)
{
    const float g[6] = {got.r, got.g, got.b, got.a, got.emissivity, got.roughness};
    const float w[6] = {want.r, want.g, want.b, want.a, want.emissivity, want.roughness};
    for (int k = 0; k < 6; ++k)
        if (std::fabs(g[k] - w[k]) > 1e-3f + 1e-3f * std::fabs(w[k]))
            return false;
    return true;
}
}

// Global, so gtest's messages find it next to Voxel.
static std::ostream& operator<<(std::ostream& out, const Voxel& v)
{
    return out << v.r << " " << v.g << " " << v.b << " a" << v.a << " e" << v.emissivity << " r" << v.roughness;
}

void expectSlicesMatch(const VolumeReadback& volume, const VoxelModel& model,
                       std::initializer_list<std::pair<int, int>> slices, const std::string& name)
{
    const int n = volume.size;
    for (auto [axis, index] : slices) {
        std::string what = name + "_" + "xyz"[axis] + std::to_string(index);
        std::vector<uint8_t> rgba((size_t)n * n * 4, 255);
        int checked = 0, mismatches = 0;
        for (int row = 0; row < n; ++row)
            for (int col = 0; col < n; ++col) {
                // Top row first, so y (or z on a horizontal slice) grows upwards in the picture.
                int up = n - 1 - row;
                const int i[3] = {axis == 0 ? index : col, axis == 1 ? index : up,
                                  axis == 2 ? index : (axis == 1 ? up : col)};
                Voxel got = volume.at(i[0], i[1], i[2]);
                const float c[3] = {got.r, got.g, got.b};
                for (int k = 0; k < 3; ++k)
                    rgba[((size_t)row * n + col) * 4 + k] =
                        (uint8_t)std::clamp(c[k] * std::min(got.a * 10.0f, 1.0f) * 255.0f, 0.0f, 255.0f);
                if ((i[0] < 4 || i[0] >= n - 4) + (i[1] < 4 || i[1] >= n - 4) + (i[2] < 4 || i[2] >= n - 4) >= 2)
                    continue;
                float p[3] = {(i[0] + 0.5f) / n, (i[1] + 0.5f) / n, (i[2] + 0.5f) / n};
                Voxel want = model(i[0], i[1], i[2], p[0], p[1], p[2]);
                bool ambiguous = false;
                for (int k = 0; k < 6 && !ambiguous; ++k) {
                    float q[3] = {p[0], p[1], p[2]};
                    q[k / 2] += k & 1 ? 1e-4f : -1e-4f;
                    ambiguous = !sameVoxel(model(i[0], i[1], i[2], q[0], q[1], q[2]), want);
                }
                checked += ambiguous ? 0 : 1;
                if (!ambiguous && !sameVoxel(got, want) && ++mismatches <= 4)
                    ADD_FAILURE() << what << " (" << i[0] << "," << i[1] << "," << i[2] << ") got " << got << ", want "
                                  << want;
            }
        EXPECT_EQ(mismatches, 0) << what;
        EXPECT_GT(checked, n * n * 3 / 4) << what;  // a model ambiguous everywhere would check nothing
        writePng(testOutputPath((what + ".png").c_str()).c_str(), n, n, rgba.data());
    }
    EXPECT_TRUE(takeGlErrors().empty()) << name;
}
