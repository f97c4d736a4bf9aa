// tests/gl/programBuildTests.cpp
// Every embedded program builds; a broken one is reported once by name and leaves the others intact.
#include <gtest/gtest.h>

#include "glTestContext.h"
#include "gpu/debugLog.h"
#include "gpu/programs.h"
#include "scenes/sceneRegistry.h"
#include "shaderSources.h"

namespace {
int countOf(const std::string& text, const std::string& word)
{
    int count = 0;
    for (size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1))
        ++count;
    return count;
}

const char brokenBody[] = "\n\nlayout(local_size_x=4, local_size_y=4, local_size_z=4) in;\nvoid main() { this is not glsl }\n";
const char noiseCallingBody[] =
    "\n\nlayout(local_size_x=4, local_size_y=4, local_size_z=4) in;\n"
    "uniform int volW; uniform int volH; uniform int volD; uniform float time;\n"
    "void main() { FILL_INIT; volWrite(ipos, vec4(fbm(fx, fy, fz))); }\n";
}

TEST(ProgramBuilding, EveryEmbeddedProgramBuildsWithoutError)
{
    debugLogCaptureBegin();
    deleteAllPrograms(sceneProgramRows());
    buildAllPrograms(sceneProgramRows());
    std::string log = debugLogCaptureEnd();
    EXPECT_EQ(log.find("SHADER ERROR"), std::string::npos) << log;
    EXPECT_EQ(log.find("error"), std::string::npos) << log;
    EXPECT_NE(log.find("Raymarch frag shader compiled: prog="), std::string::npos) << log;
    std::vector<ProgramRow> rows = sceneProgramRows();
    EXPECT_FALSE(rows.empty());
    for (const ProgramRow& row : rows)
        EXPECT_NE(*row.handle, 0u) << row.name;
    EXPECT_NE(programs.updateGI, 0u);
    EXPECT_NE(programs.giCopy, 0u);
    EXPECT_NE(programs.raymarch, 0u);
    EXPECT_TRUE(takeGlErrors().empty());
}

TEST(ProgramBuilding, ABrokenBodyIsReportedOnceByNameAndTheOthersStillBuild)
{
    std::vector<ProgramRow> rows = sceneProgramRows();
    ASSERT_GE(rows.size(), 2u);
    rows[0].pieces.back() = brokenBody;
    debugLogCaptureBegin();
    buildFillPrograms(rows);
    std::string log = debugLogCaptureEnd();
    EXPECT_EQ(countOf(log, "SHADER ERROR"), 1) << log;
    EXPECT_EQ(log.rfind(std::string("SHADER ERROR [") + rows[0].name + "] compile:\n", 0), 0u) << log;
    EXPECT_EQ(*rows[0].handle, 0u);
    for (size_t i = 1; i < rows.size(); ++i)
        EXPECT_NE(*rows[i].handle, 0u) << rows[i].name;
    buildFillPrograms(sceneProgramRows());
    EXPECT_TRUE(takeGlErrors().empty());
}

TEST(ProgramBuilding, NoiseFunctionsNeedTheNoisePiece)
{
    debugLogCaptureBegin();
    unsigned without = buildComputeProgram("noNoise", {vol_write_glsl, noiseCallingBody});
    std::string log = debugLogCaptureEnd();
    EXPECT_EQ(without, 0u);
    EXPECT_NE(log.find("SHADER ERROR [noNoise] compile:"), std::string::npos);

    debugLogCaptureBegin();
    unsigned with = buildComputeProgram("withNoise", {noise_glsl, vol_write_glsl, noiseCallingBody});
    EXPECT_EQ(debugLogCaptureEnd(), "");
    EXPECT_NE(with, 0u);
    glDeleteProgram(with);
    EXPECT_TRUE(takeGlErrors().empty());
}

TEST(ProgramBuilding, AFailedRaymarchStageLeavesNoProgramAndNoSuccessLine)
{
    debugLogCaptureBegin();
    unsigned program = buildRaymarchProgram(raymarchVertex_glsl, "#version 430\nvoid main() { broken }\n");
    std::string log = debugLogCaptureEnd();
    EXPECT_EQ(program, 0u);
    EXPECT_EQ(log.rfind("FS error:\n", 0), 0u) << log;
    EXPECT_NE(log.find("Link error:\n"), std::string::npos) << log;
    EXPECT_EQ(log.find("Raymarch frag shader compiled"), std::string::npos) << log;
    EXPECT_TRUE(takeGlErrors().empty());
}
