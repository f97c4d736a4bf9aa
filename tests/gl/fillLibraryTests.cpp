// tests/gl/fillLibraryTests.cpp
// The fill library's primitives on the GPU, and fill programs that do not build: each is
// reported once by name, leaves handle 0 and does not harm the others.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "gpu/constants.h"
#include "platform/debugLog.h"
#include "gpu/fillDispatch.h"
#include "gpu/programs.h"
#include "show/show.h"
#include "gpu/volumeResources.h"
#include "scenes/sceneRegistry.h"
#include "shaderSources.h"
#include "testShaders.h"
#include "volumeTestSupport.h"

TEST(FillLibrary, PrimitiveBoundsAreStrictOrInclusiveAsDeclared)
{
    const int n = 16;
    prepareVolume(n);
    auto sq = [](float v) { return v * v; };
    const float turn = 30.0f * 3.14159265f / 180.0f;
    // Voxel centres lie at (i + 0.5) / 16: 0.28125 is voxel 4, 0.34375 voxel 5, 0.65625 voxel 10, 0.71875 voxel 11.
    const struct {
        TestShape shape;
        std::vector<float> params;
        std::function<bool(int, int, int, const float*)> inside;
    } cases[] = {
        // Box faces on the centres of voxels 4 and 11 (x, y), 5 and 10 (z): strict, so those stay empty.
        {shapeBox, {0.5f, 0.5f, 0.5f, 0.21875f, 0.21875f, 0.15625f},
         [](int x, int y, int z, const float*) { return x >= 5 && x <= 10 && y >= 5 && y <= 10 && z >= 6 && z <= 9; }},
        // Cylinder ends on the centres of voxels 4 and 10: inclusive.
        {shapeCylinder, {0.5f, 0.5f, 0.3f, 0.28125f, 0.65625f},
         [&](int, int y, int, const float* p) { return sq(p[0] - 0.5f) + sq(p[2] - 0.5f) < 0.09f && y > 3 && y < 11; }},
        {shapeSphere, {0.4f, 0.55f, 0.6f, 0.3f},
         [&](int, int, int, const float* p) { return sq(p[0] - 0.4f) + sq(p[1] - 0.55f) + sq(p[2] - 0.6f) < 0.09f; }},
        // A horizontal plane at layer 3; its extents are inclusive.
        {shapePlane, {1, 3, 0.28125f, 0.71875f, 0.03125f, 0.5f},
         [](int x, int y, int z, const float*) { return y == 3 && x >= 4 && x <= 11 && z <= 7; }},
        // Turned 30 degrees about z, the corners reach voxels an unrotated box would miss.
        {shapeBoxZ, {0.5f, 0.5f, 0.5f, 0.3f, 0.1f, 0.2f, 30.0f}, [&](int, int, int, const float* p) {
             float dx = p[0] - 0.5f, dy = p[1] - 0.5f;
             return std::fabs(dx * std::cos(turn) - dy * std::sin(turn)) < 0.3f &&
                    std::fabs(dx * std::sin(turn) + dy * std::cos(turn)) < 0.1f && std::fabs(p[2] - 0.5f) < 0.2f;
         }}};
    for (const auto& c : cases) {
        runTestFill(c.shape, c.params);
        VolumeReadback v = readVolume();
        int mismatches = 0;
        for (int i = 0; i < n * n * n; ++i) {
            const int x = i % n, y = i / n % n, z = i / (n * n);
            const float p[3] = {(x + 0.5f) / n, (y + 0.5f) / n, (z + 0.5f) / n};
            mismatches += c.inside(x, y, z, p) != (v.at(x, y, z).a == 1.0f);
        }
        EXPECT_EQ(mismatches, 0) << "shape " << c.shape;
    }
    EXPECT_TRUE(takeGlErrors().empty());
}

// The app tests' start-up builds every embedded program and fails on a shader error.
TEST(ProgramBuilding, ABrokenBodyIsReportedOnceByNameTheOthersStillBuildAndAFailedRaymarchLeavesNoProgram)
{
    std::vector<ProgramRow> rows = sceneProgramRows();
    ASSERT_GE(rows.size(), 2u);
    rows[0].pieces.back() = "\n\nlayout(local_size_x=4) in;\nvoid main() { this is not glsl }\n";
    debugLogCaptureBegin();
    std::vector<FillProgram> fills;
    for (const ProgramRow& row : rows)
        fills.push_back(buildFillProgram(row));
    std::string log = debugLogCaptureEnd();
    EXPECT_EQ(log.rfind(std::string("SHADER ERROR [") + rows[0].name + "] compile:\n", 0), 0u) << log;
    EXPECT_TRUE(log.find("SHADER ERROR", 1) == std::string::npos && fills[0].handle == 0u) << log;
    for (size_t i = 1; i < rows.size(); ++i)
        EXPECT_NE(fills[i].handle, 0u) << rows[i].name;
    for (FillProgram& fill : fills)
        deleteProgram(fill.handle);

    // A failed raymarch stage leaves no program and no success line.
    debugLogCaptureBegin();
    unsigned program = buildRaymarchProgram(raymarchVertex_glsl, "#version 430\nvoid main() { broken }\n");
    log = debugLogCaptureEnd();
    EXPECT_TRUE(program == 0u && log.rfind("FS error:\n", 0) == 0u) << log;
    EXPECT_NE(log.find("Link error:\n"), std::string::npos) << log;
    EXPECT_EQ(log.find("Raymarch frag shader compiled"), std::string::npos) << log;
    EXPECT_TRUE(takeGlErrors().empty());
}

TEST(ConstantsBlock, EveryFieldSitsWhereTheCppImageHasItInTheFillsTheGiPassAndTheRaymarch)
{
    prepareVolume(16);
    std::vector<std::pair<std::string, size_t>> fields = {
        {"wallThickness", offsetof(ConstantsBlock, wallThickness)},
        {"vwAlbedo", offsetof(ConstantsBlock, vwAlbedo)},
        {"emissivityMul", offsetof(ConstantsBlock, emissivityMul)},
        {"forceBlack", offsetof(ConstantsBlock, forceBlack)}};
    const std::pair<const char*, size_t> faceFields[] = {
        {"r", offsetof(VWFaceGPU, r)},       {"g", offsetof(VWFaceGPU, g)},
        {"b", offsetof(VWFaceGPU, b)},       {"emissivity", offsetof(VWFaceGPU, emissivity)},
        {"roughness", offsetof(VWFaceGPU, roughness)}, {"pad0", offsetof(VWFaceGPU, pad0)},
        {"pad1", offsetof(VWFaceGPU, pad1)}, {"pad2", offsetof(VWFaceGPU, pad2)}};
    for (int face = 0; face < faceCount; ++face)
        for (const auto& [name, offset] : faceFields)
            fields.push_back({"vwFaces[" + std::to_string(face) + "]." + name,
                              offsetof(ConstantsBlock, vwFaces) + face * sizeof(VWFaceGPU) + offset});

    std::vector<std::pair<std::string, unsigned>> readers = {{"updateGI", testGpu().programs.updateGI.handle},
                                                             {"raymarch", testGpu().programs.raymarch.handle}};
    std::vector<ProgramRow> rows = sceneProgramRows();
    for (size_t i = 0; i < rows.size(); ++i)
        readers.push_back({rows[i].name, testGpu().fills[i].handle});
    for (const auto& [program, handle] : readers) {
        ASSERT_NE(handle, 0u) << program;
        GLint size = 0;
        glGetActiveUniformBlockiv(handle, glGetUniformBlockIndex(handle, "Constants"), GL_UNIFORM_BLOCK_DATA_SIZE,
                                  &size);
        EXPECT_EQ(size, (GLint)sizeof(ConstantsBlock)) << program;
        for (const auto& [name, offset] : fields) {
            const char* names[] = {name.c_str()};
            GLuint index = GL_INVALID_INDEX;
            glGetUniformIndices(handle, 1, names, &index);
            GLint driverOffset = -1;
            if (index != GL_INVALID_INDEX)
                glGetActiveUniformsiv(handle, 1, &index, GL_UNIFORM_OFFSET, &driverOffset);
            EXPECT_EQ(driverOffset, (GLint)offset) << program << " " << name;
        }
    }
    EXPECT_TRUE(takeGlErrors().empty());
}

// A name set on a program that does not declare it, or whose compiler dropped it, is a typo the driver ignores.
TEST(ProgramUniforms, EveryNameAPassOrASceneSetsIsAnActiveUniformOfItsProgram)
{
    prepareVolume(16);
    Gpu& gpu = testGpu();
    auto expectActive = [](unsigned handle, const std::string& name, const std::string& program) {
        std::vector<ActiveUniform> active = activeUniforms(handle);
        EXPECT_TRUE(std::any_of(active.begin(), active.end(), [&](const ActiveUniform& u) { return u.name == name; }))
            << program << " has no active uniform " << name;
    };
    auto expectKind = [&](auto& kind, const std::string& program) {
        ASSERT_NE(kind.handle, 0u) << program;
        for (UniformSlot slot : kind.slots())
            expectActive(kind.handle, slot.name, program);
    };
    expectKind(gpu.programs.updateGI, "updateGI");
    expectKind(gpu.programs.giCopy, "giCopy");
    expectKind(gpu.programs.updateOccupancy, "updateOccupancy");
    expectKind(gpu.programs.spreadOccupancy, "spreadOccupancy");
    expectKind(gpu.programs.raymarch, "raymarch");
    std::unique_ptr<Show> show = makeShow(ShowConfig());
    const std::vector<SceneRow>& rows = sceneRegistry();
    for (size_t row = 0; row < rows.size(); ++row)
        for (const FillUniform& uniform : show->scenes[row]->fill().uniforms)
            expectActive(gpu.fills[row].handle, uniform.name, rows[row].programName);
    EXPECT_TRUE(takeGlErrors().empty());
}
