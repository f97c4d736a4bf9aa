// tests/gl/programBuildTests.cpp
// A program that does not build is reported once by name, leaves handle 0 and does not harm the others.
#include <gtest/gtest.h>

#include "gpu/debugLog.h"
#include "gpu/programs.h"
#include "scenes/sceneRegistry.h"
#include "shaderSources.h"
#include "volumeTestSupport.h"

// Every embedded program is built by the app tests' start-up, which fails on a shader error, and the raymarch
// program by the renderer tests, which draw with it.
TEST(ProgramBuilding, ABrokenBodyIsReportedOnceByNameTheOthersStillBuildAndAFailedRaymarchLeavesNoProgram)
{
    std::vector<ProgramRow> rows = sceneProgramRows();
    ASSERT_GE(rows.size(), 2u);
    rows[0].pieces.back() = "\n\nlayout(local_size_x=4) in;\nvoid main() { this is not glsl }\n";
    debugLogCaptureBegin();
    buildFillPrograms(rows);
    std::string log = debugLogCaptureEnd();
    EXPECT_EQ(log.rfind(std::string("SHADER ERROR [") + rows[0].name + "] compile:\n", 0), 0u) << log;
    EXPECT_EQ(log.find("SHADER ERROR", 1), std::string::npos) << log;
    EXPECT_EQ(*rows[0].handle, 0u);
    for (size_t i = 1; i < rows.size(); ++i)
        EXPECT_NE(*rows[i].handle, 0u) << rows[i].name;
    buildFillPrograms(sceneProgramRows());

    // A failed raymarch stage leaves no program and no success line.
    debugLogCaptureBegin();
    unsigned program = buildRaymarchProgram(raymarchVertex_glsl, "#version 430\nvoid main() { broken }\n");
    log = debugLogCaptureEnd();
    EXPECT_EQ(program, 0u);
    EXPECT_EQ(log.rfind("FS error:\n", 0), 0u) << log;
    EXPECT_NE(log.find("Link error:\n"), std::string::npos) << log;
    EXPECT_EQ(log.find("Raymarch frag shader compiled"), std::string::npos) << log;
    EXPECT_TRUE(takeGlErrors().empty());
}
