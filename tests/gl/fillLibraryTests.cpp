// tests/gl/fillLibraryTests.cpp
// The fill library on the GPU against CPU computations of the same formulas.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "glTestContext.h"
#include "gpu/constants.h"
#include "gpu/programs.h"
#include "gpu/volumeResources.h"
#include "shaderSources.h"
#include "testShaders.h"
#include "volumeTestSupport.h"

namespace {
float hashRef(uint32_t x)
{
    x = ((x >> 16) ^ x) * 0x45d9f3bu;
    x = ((x >> 16) ^ x) * 0x45d9f3bu;
    x = (x >> 16) ^ x;
    return (float)x * 2.3283064e-10f;
}

uint32_t latticeKey(int ix, int iy, int iz)
{
    return (uint32_t)ix * 1619u + (uint32_t)iy * 31337u + (uint32_t)iz * 6271u;
}

float lerp(float a, float b, float t)
{
    return a + (b - a) * t;
}

float valueNoiseRef(float x, float y, float z)
{
    float fl[3] = {std::floor(x), std::floor(y), std::floor(z)};
    float f[3] = {x - fl[0], y - fl[1], z - fl[2]};
    float u[3];
    for (int a = 0; a < 3; ++a)
        u[a] = f[a] * f[a] * (3.0f - 2.0f * f[a]);
    int i[3] = {(int)fl[0], (int)fl[1], (int)fl[2]};
    float corner[2][2][2];
    for (int dz = 0; dz < 2; ++dz)
        for (int dy = 0; dy < 2; ++dy)
            for (int dx = 0; dx < 2; ++dx)
                corner[dz][dy][dx] = hashRef(latticeKey(i[0] + dx, i[1] + dy, i[2] + dz));
    float z0 = lerp(lerp(corner[0][0][0], corner[0][0][1], u[0]), lerp(corner[0][1][0], corner[0][1][1], u[0]), u[1]);
    float z1 = lerp(lerp(corner[1][0][0], corner[1][0][1], u[0]), lerp(corner[1][1][0], corner[1][1][1], u[0]), u[1]);
    return lerp(z0, z1, u[2]);
}

float gradRef(int ix, int iy, int iz, float dx, float dy, float dz)
{
    uint32_t h = latticeKey(ix, iy, iz);
    h ^= h >> 16;
    h *= 0x45d9f3bu;
    h ^= h >> 8;
    uint32_t g = h & 15u;
    float u = g < 8 ? dx : dy;
    float v = g < 4 ? dy : (g == 12 || g == 14) ? dx : dz;
    return ((g & 1) ? -u : u) + ((g & 2) ? -v : v);
}

float gradientNoiseRef(float x, float y, float z)
{
    float fl[3] = {std::floor(x), std::floor(y), std::floor(z)};
    float f[3] = {x - fl[0], y - fl[1], z - fl[2]};
    float u[3];
    for (int a = 0; a < 3; ++a)
        u[a] = f[a] * f[a] * f[a] * (f[a] * (f[a] * 6.0f - 15.0f) + 10.0f);
    int i[3] = {(int)fl[0], (int)fl[1], (int)fl[2]};
    float corner[2][2][2];
    for (int dz = 0; dz < 2; ++dz)
        for (int dy = 0; dy < 2; ++dy)
            for (int dx = 0; dx < 2; ++dx)
                corner[dz][dy][dx] = gradRef(i[0] + dx, i[1] + dy, i[2] + dz, f[0] - dx, f[1] - dy, f[2] - dz);
    float z0 = lerp(lerp(corner[0][0][0], corner[0][0][1], u[0]), lerp(corner[0][1][0], corner[0][1][1], u[0]), u[1]);
    float z1 = lerp(lerp(corner[1][0][0], corner[1][0][1], u[0]), lerp(corner[1][1][0], corner[1][1][1], u[0]), u[1]);
    return lerp(z0, z1, u[2]) * 0.5f + 0.5f;
}

float fbmRef(float x, float y, float z)
{
    float sum = 0.0f, amplitude = 0.5f;
    for (int octave = 0; octave < 4; ++octave) {
        sum += amplitude * valueNoiseRef(x, y, z);
        amplitude *= 0.48f;
        x *= 2.1f;
        y *= 2.1f;
        z *= 2.1f;
    }
    return sum;
}

struct Probe {
    float point[4];
    int32_t lattice[4];
};
struct ProbeResult {
    float noise[4];
    float gradCurl[4];
};

std::vector<ProbeResult> runNoiseProbe(const std::vector<Probe>& probes)
{
    GLuint program = buildComputeProgram("noiseProbe", {noise_glsl, vol_write_glsl, noiseProbe_glsl});
    EXPECT_NE(program, 0u);
    GLuint buffers[2];
    glGenBuffers(2, buffers);
    std::vector<ProbeResult> results(probes.size());
    glBindBuffer(GL_SHADER_STORAGE_BUFFER, buffers[0]);
    glBufferData(GL_SHADER_STORAGE_BUFFER, probes.size() * sizeof(Probe), probes.data(), GL_STATIC_DRAW);
    glBindBuffer(GL_SHADER_STORAGE_BUFFER, buffers[1]);
    glBufferData(GL_SHADER_STORAGE_BUFFER, results.size() * sizeof(ProbeResult), nullptr, GL_STATIC_READ);
    glBindBufferBase(GL_SHADER_STORAGE_BUFFER, 5, buffers[0]);
    glBindBufferBase(GL_SHADER_STORAGE_BUFFER, 6, buffers[1]);
    glUseProgram(program);
    glUniform1i(glGetUniformLocation(program, "count"), (int)probes.size());
    glDispatchCompute((GLuint)(probes.size() + 63) / 64, 1, 1);
    glMemoryBarrier(GL_BUFFER_UPDATE_BARRIER_BIT);
    glGetBufferSubData(GL_SHADER_STORAGE_BUFFER, 0, results.size() * sizeof(ProbeResult), results.data());
    glUseProgram(0);
    glBindBuffer(GL_SHADER_STORAGE_BUFFER, 0);
    glDeleteBuffers(2, buffers);
    glDeleteProgram(program);
    return results;
}

// Voxel centres of a size^3 volume where a predicate holds, compared with the volume's opacity.
template <typename Inside>
int countMismatches(int size, Inside inside)
{
    std::vector<float> voxels = readTexture3D(volume.volumeTex, size, GL_RGBA, 4);
    int mismatches = 0;
    for (int z = 0; z < size; ++z)
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                float p[3] = {(x + 0.5f) / size, (y + 0.5f) / size, (z + 0.5f) / size};
                bool expected = inside(x, y, z, p);
                bool actual = voxels[(((size_t)z * size + y) * size + x) * 4 + 3] == 1.0f;
                mismatches += expected != actual;
            }
    return mismatches;
}
}

TEST(FillLibrary, NoiseFunctionsMatchTheirCpuFormulas)
{
    std::vector<Probe> probes;
    uint32_t state = 12345u;
    auto next = [&state]() {
        state = state * 1664525u + 1013904223u;
        return state;
    };
    for (int i = 0; i < 2048; ++i) {
        Probe probe{};
        for (int a = 0; a < 3; ++a)
            probe.point[a] = (float)(next() % 200000) / 1000.0f - 100.0f;
        for (int a = 0; a < 3; ++a)
            probe.lattice[a] = (int32_t)(next() % 20001) - 10000;
        probe.lattice[3] = (int32_t)(i < 2 ? (uint32_t)i : next());
        probes.push_back(probe);
    }
    std::vector<ProbeResult> results = runNoiseProbe(probes);
    EXPECT_EQ(results[0].noise[0], 0.0f);
    EXPECT_NEAR(results[1].noise[0], 0.1919725f, 1e-7f);
    float fbmMax = 0.0f;
    for (size_t i = 0; i < probes.size(); ++i) {
        const float* q = probes[i].point;
        const int32_t* l = probes[i].lattice;
        SCOPED_TRACE(testing::Message() << "probe " << i << " at " << q[0] << ", " << q[1] << ", " << q[2]);
        EXPECT_NEAR(results[i].noise[0], hashRef((uint32_t)l[3]), 1e-7f);
        EXPECT_NEAR(results[i].noise[1], valueNoiseRef(q[0], q[1], q[2]), 2e-5f);
        EXPECT_NEAR(results[i].noise[2], gradientNoiseRef(q[0], q[1], q[2]), 2e-5f);
        EXPECT_NEAR(results[i].noise[3], fbmRef(q[0], q[1], q[2]), 2e-5f);
        float fx = q[0] - std::floor(q[0]), fy = q[1] - std::floor(q[1]), fz = q[2] - std::floor(q[2]);
        EXPECT_NEAR(results[i].gradCurl[0], gradRef(l[0], l[1], l[2], fx, fy, fz), 1e-6f);
        // Curl: d/dy of the z potential minus d/dz of the y potential, by central differences.
        const float e = 0.01f;
        float curlX = (fbmRef(q[0], q[1] + e, q[2] + 73.1f) - fbmRef(q[0], q[1] - e, q[2] + 73.1f)) / (2 * e) -
                      (fbmRef(q[0], q[1] + 47.3f, q[2] + e) - fbmRef(q[0], q[1] + 47.3f, q[2] - e)) / (2 * e);
        EXPECT_NEAR(results[i].gradCurl[1], curlX, 5e-3f);
        fbmMax = std::max(fbmMax, results[i].noise[3]);
    }
    EXPECT_LE(fbmMax, 0.910496f);
    EXPECT_TRUE(takeGlErrors().empty());
}

TEST(FillLibrary, PrimitiveBoundsAreStrictOrInclusiveAsDeclared)
{
    const int size = 16;
    prepareVolume(size);
    // Faces at 0.3125 and 0.6875 fall exactly on voxel centres 4 and 10 of 16: those are outside.
    runTestFill(shapeBox, {0.5f, 0.5f, 0.5f, 0.1875f, 0.1875f, 0.125f});
    EXPECT_EQ(countMismatches(size, [](int x, int y, int z, const float*) {
                  return x >= 5 && x <= 10 && y >= 5 && y <= 10 && z >= 6 && z <= 9;
              }), 0);
    // Both cylinder ends are inclusive: y = 0.3125 and 0.6875 are voxel centres 4 and 10.
    runTestFill(shapeCylinder, {0.5f, 0.0f, 0.5f, 0.3f, 0.28125f, 0.65625f});
    EXPECT_EQ(countMismatches(size, [](int, int y, int, const float* p) {
                  float dx = p[0] - 0.5f, dz = p[2] - 0.5f;
                  return dx * dx + dz * dz < 0.09f && y >= 4 && y <= 10;
              }), 0);
    runTestFill(shapeSphere, {0.4f, 0.55f, 0.6f, 0.3f});
    EXPECT_EQ(countMismatches(size, [](int, int, int, const float* p) {
                  float dx = p[0] - 0.4f, dy = p[1] - 0.55f, dz = p[2] - 0.6f;
                  return dx * dx + dy * dy + dz * dz < 0.09f;
              }), 0);
    // A horizontal plane at layer 3 with inclusive extents.
    runTestFill(shapePlane, {3.0f, 0.28125f, 0.71875f, 0.03125f, 0.5f, 0.0f, 1.0f});
    EXPECT_EQ(countMismatches(size, [](int x, int y, int z, const float*) {
                  return y == 3 && x >= 4 && x <= 11 && z <= 7;
              }), 0);
    // A box turned 30 degrees about z: its corners reach into voxels an unrotated box would miss.
    runTestFill(shapeBoxZ, {0.5f, 0.5f, 0.5f, 0.3f, 0.1f, 0.2f, 30.0f});
    const float a = 30.0f * 3.14159265f / 180.0f;
    EXPECT_EQ(countMismatches(size, [a](int, int, int, const float* p) {
                  float dx = p[0] - 0.5f, dy = p[1] - 0.5f, dz = p[2] - 0.5f;
                  float rx = dx * std::cos(a) - dy * std::sin(a), ry = dx * std::sin(a) + dy * std::cos(a);
                  return std::fabs(rx) < 0.3f && std::fabs(ry) < 0.1f && std::fabs(dz) < 0.2f;
              }), 0);
    EXPECT_TRUE(takeGlErrors().empty());
}

TEST(FillLibrary, WireframeColoursExactlyTheTwelveEdgesAt128)
{
    const int size = 128;
    prepareVolume(size);
    for (int face = 0; face < faceCount; ++face)
        gpuConstants.vwFaces[face] = {0.125f * (face + 1), 0.5f, 1.0f - 0.125f * face, 2.0f * face, 0.25f * face / 2};
    runTestFill(shapeWireframe);
    std::vector<float> colour = readTexture3D(volume.volumeTex, size, GL_RGBA, 4);
    std::vector<float> emissRough = readTexture3D(volume.emissRoughTex, size, GL_RG, 2);
    int wrong = 0, edges = 0;
    for (int z = 0; z < size; ++z)
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                int c[3] = {x, y, z};
                int near = 0;
                for (int v : c)
                    near += v <= 3 || v >= 124;
                size_t i = ((size_t)z * size + y) * size + x;
                if (near < 2) {
                    wrong += colour[i * 4 + 3] != 0.0f;
                    continue;
                }
                ++edges;
                // Closest face by distance to the voxel centre; ties keep the earlier face.
                int face = 0;
                float best = 2.0f;
                for (int f = 0; f < faceCount; ++f) {
                    float coord = (c[f / 2] + 0.5f) / size;
                    float distance = f % 2 ? 1.0f - coord : coord;
                    if (distance < best) {
                        best = distance;
                        face = f;
                    }
                }
                const VWFace& expected = gpuConstants.vwFaces[face];
                wrong += colour[i * 4] != expected.r || colour[i * 4 + 1] != expected.g ||
                         colour[i * 4 + 2] != expected.b || colour[i * 4 + 3] != 1.0f ||
                         emissRough[i * 2] != expected.emissivity || emissRough[i * 2 + 1] != expected.roughness;
            }
    EXPECT_EQ(wrong, 0);
    // Twelve edges of 4 x 4 x 128 voxels, the eight corner cubes counted once.
    EXPECT_EQ(edges, 12 * 16 * 128 - 8 * 2 * 64);
    EXPECT_TRUE(takeGlErrors().empty());
}
