// tests/app/frameLoopTests.cpp
// The demo's own start-up and frame step, driven on a manual clock into a small off-screen target.
#include <gtest/gtest.h>

#include <GL/glew.h>

#include "app/demoApp.h"
#include "gpu/debugLog.h"
#include "gpu/fillDispatch.h"
#include "gpu/giState.h"
#include "gpu/programs.h"
#include "gpu/volumeResources.h"
#include "sequencer/demoClock.h"
#include "sequencer/renderSettings.h"
#include "sequencer/sceneBase.h"
#include "sequencer/sceneSequence.h"
#include "sequencer/sharedCallbacks.h"
#include "shaderSources.h"

namespace {
const char emptyFillBody[] =
    "\n\nlayout(local_size_x=4, local_size_y=4, local_size_z=4) in;\n"
    "uniform int volW; uniform int volH; uniform int volD; uniform float time;\n"
    "void main() { FILL_INIT; writeVoxel(ipos, sVoxelDefault()); }\n";

// Glides in from wherever the camera is, waits a second with a black background, then turns it red.
class cSceneProbe : public cSceneBase {
public:
    void enter() override
    {
        renderSettings = RenderSettings();
        renderSettings.volSize = 16;
        renderSettings.haloEnabled = false;
        renderSettings.bgColor[0] = renderSettings.bgColor[1] = renderSettings.bgColor[2] = 0.0f;
        cameraTarget[0] = 0.0f;
        cameraTarget[1] = 0.2f;
        cameraTarget[2] = 2.0f;
        beginScript();
        timeline.phases.push_back(waitTransitionPhase(*this));
        timeline.phases.push_back(Phase{"dark", 1.0f, {}, {}});
        timeline.phases.push_back(Phase{"red", 0.5f, [] { renderSettings.bgColor[0] = 1.0f; }, {}});
        startTimeline(timeline);
    }
    void update() override
    {
        ++updates;
        cSceneBase::update();
    }
    void fill(int volSize) override
    {
        ++fills;
        dispatchFill(program, volSize, (float)sceneTime());
    }
    unsigned program = 0;
    int updates = 0;
    int fills = 0;
};

class FrameLoop : public testing::Test {
protected:
    void SetUp() override
    {
        clock.install();
        AppOptions options;
        options.fullscreen = false;
        options.visible = false;
        options.windowWidth = options.targetWidth = 64;
        options.windowHeight = options.targetHeight = 36;
        options.playMusic = false;
        options.useWindowClock = false;
        debugLogCaptureBegin();
        started = appStartup(options);
        ASSERT_TRUE(started);
        restoreSharedDefaults();
        renderSettings.volSize = 16;  // the first frame's resource check runs before the probe's entry
        probe.program = buildComputeProgram("fillProbe", {vol_write_glsl, emptyFillBody});
        ASSERT_NE(probe.program, 0u);
        savedSlot = sceneTable[0];
        savedPlaylist = scenePlaylist;
        sceneTable[0] = &probe;
        scenePlaylist = {0, -2};
        currentSceneIndex = 0;
    }
    void TearDown() override
    {
        sceneTable[0] = savedSlot;
        scenePlaylist = savedPlaylist;
        if (started)
            appShutdown();
        std::string log = debugLogCaptureEnd();
        EXPECT_EQ(log.find("GL error"), std::string::npos) << log;
        EXPECT_EQ(log.find("SHADER ERROR"), std::string::npos) << log;
    }
    void frameAt(double seconds)
    {
        clock.now = seconds;
        appFrame();
    }
    uint8_t cornerRed()
    {
        std::vector<uint8_t> rgba;
        int width = 0, height = 0;
        readTargetPixels(rgba, width, height);
        return rgba[0];
    }

    ManualClock clock;
    bool started = false;
    cSceneProbe probe;
    cSceneBase* savedSlot = nullptr;
    std::vector<int> savedPlaylist;
};
}

TEST_F(FrameLoop, FirstFrameEntersTheSceneCreatesTheVolumeAndReportsNoTimings)
{
    frameAt(0.0);
    EXPECT_EQ(currentScene, &probe);
    EXPECT_NE(volume.volumeTex, 0u);
    EXPECT_EQ(volume.volSize, 16);
    EXPECT_EQ(gpuFillMs, 0.0f);
    EXPECT_EQ(gpuGiMs, 0.0f);
    EXPECT_EQ(gpuRenderMs, 0.0f);
    EXPECT_EQ(giFrameId, 1u);
}

TEST_F(FrameLoop, TheTransitionSecondFillsEveryFrameButHoldsTheScript)
{
    for (int frame = 0; frame <= 9; ++frame)
        frameAt(frame * 0.1);
    EXPECT_EQ(probe.fills, 10);
    EXPECT_EQ(probe.updates, 0);
    frameAt(1.0);  // the transition's last step still stands in for the update
    EXPECT_EQ(probe.updates, 0);
    frameAt(1.1);
    EXPECT_EQ(probe.updates, 1);
    EXPECT_EQ(probe.fills, 12);
    EXPECT_EQ(probe.timeline.index, 1);
}

TEST_F(FrameLoop, TheScriptReachesThePictureAndTheEndMarkerClosesTheWindowAfterThatFrame)
{
    double t = 0.0;
    for (; t < 1.55; t += 0.05)
        frameAt(t);
    EXPECT_EQ(cornerRed(), 0) << "still in the dark phase at " << t;
    for (; t < 2.4; t += 0.05)
        frameAt(t);
    EXPECT_EQ(cornerRed(), 255);
    EXPECT_FALSE(appShouldClose());
    for (; t < 3.5 && !appShouldClose(); t += 0.05)
        frameAt(t);
    EXPECT_TRUE(probe.finished);
    EXPECT_TRUE(appShouldClose());
}
