// tests/app/programFaultTests.cpp
// A fill program that does not build: its pass is skipped without a GL error, the volume keeps what the scene
// before left in it, and the next scene fills it again.
#include <gtest/gtest.h>

#include <GL/glew.h>

#include <string>
#include <vector>

#include "app/demoApp.h"
#include "platform/debugLog.h"
#include "gpu/programs.h"
#include "gpu/volumeResources.h"
#include "logLines.h"
#include "scenes/sceneRegistry.h"
#include "sequencer/sceneBase.h"

namespace {
std::vector<uint16_t> volumeTexels(const VolumeResources& volume)
{
    std::vector<uint16_t> texels((size_t)volume.volSize * volume.volSize * volume.volSize * 4);
    glBindTexture(GL_TEXTURE_3D, volume.volumeTex);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_3D, 0, GL_RGBA, GL_HALF_FLOAT, texels.data());
    glBindTexture(GL_TEXTURE_3D, 0);
    return texels;
}

const SceneRow& registryRow(const char* name)
{
    for (const SceneRow& row : sceneRegistry())
        if (std::string(row.name) == name)
            return row;
    return sceneRegistry().front();
}
}

TEST(ProgramFaults, AFillThatDoesNotBuildIsSkippedAndTheNextSceneFillsAgain)
{
    AppOptions options = offscreenAppOptions(32, 18);
    options.volumeOverride = 16;
    debugLogCaptureBegin();
    DemoApp app;
    ASSERT_TRUE(appStartup(app, options));
    // As if start-up had failed to build the fog's fill.
    const SceneRow& fog = registryRow("fog");
    std::vector<const char*> pieces = fog.pieces;
    pieces.back() = "\n\nlayout(local_size_x=4, local_size_y=4, local_size_z=4) in;\nvoid main() { not glsl }\n";
    FillProgram& fogFill = app.gpu.fills[sceneRowOf(fog.tableIndex)];
    deleteProgram(fogFill.handle);
    fogFill = buildFillProgram({fog.programName, pieces});
    ASSERT_EQ(fogFill.handle, 0u);

    long frame = 0;
    auto playScene = [&app, &frame](const char* name, int frames) {
        app.show->state.sequence.currentSceneIndex = registryRow(name).tableIndex;
        for (int i = 0; i < frames; ++i)
            appFrame(app, fixedStepInput(frame++, 10));
    };
    playScene("metaballs", 3);
    std::vector<uint16_t> beforeFog = volumeTexels(app.gpu.volume);
    playScene("fog", 5);
    std::vector<uint16_t> duringFog = volumeTexels(app.gpu.volume);
    playScene("amiga", 1);
    std::vector<uint16_t> afterFog = volumeTexels(app.gpu.volume);
    EXPECT_EQ(app.show->state.sequence.lastAppliedScene, registryRow("amiga").tableIndex);
    appShutdown(app);
    std::string log = debugLogCaptureEnd();

    EXPECT_EQ(duringFog, beforeFog) << "the broken fill wrote the volume";
    EXPECT_NE(afterFog, beforeFog) << "the next scene's fill did not run";
    // A pass run with program 0 would leave a sticky error behind, reported at shutdown.
    EXPECT_EQ(linesBeginning(log, {"GL error", "SHADER ERROR"}), "SHADER ERROR [fillFog] compile:\n") << log;
}
