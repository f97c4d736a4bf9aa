// tests/app/frameLoopTests.cpp
// The demo's own start-up and frame step, driven by hand into a small off-screen target.
#include <gtest/gtest.h>

#include <GL/glew.h>

#include "app/demoApp.h"
#include "audio/beat.h"
#include "gpu/debugLog.h"
#include "gpu/fillDispatch.h"
#include "gpu/giState.h"
#include "gpu/programs.h"
#include "gpu/renderSettings.h"
#include "gpu/volumeResources.h"
#include "sequencer/demoClock.h"
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
        if (beatFlag)
            beatFills.push_back(fills);
        dispatchFill(fillProgram, volSize, (float)sceneTime());
    }
    int updates = 0;
    int fills = 0;
    std::vector<int> beatFills;  // the fills, counted from 1, that saw a beat
};

class FrameLoop : public testing::Test {
protected:
    void SetUp() override
    {
        savedSlot = sceneTable[0];
        savedPlaylist = scenePlaylist;
        debugLogCaptureBegin();
        startApp();
    }
    void startApp()
    {
        started = appStartup(offscreenAppOptions(64, 36));
        ASSERT_TRUE(started);
        restoreSharedDefaults();
        renderSettings.volSize = 16;  // the first frame's resource check runs before the probe's entry
        probe.fillProgram = buildComputeProgram("fillProbe", {vol_write_glsl, emptyFillBody});
        ASSERT_NE(probe.fillProgram, 0u);
        sceneTable[0] = &probe;
        scenePlaylist = {0, -2};
        currentSceneIndex = 0;
    }
    void TearDown() override
    {
        sceneTable[0] = savedSlot;
        scenePlaylist = savedPlaylist;
        if (started) {
            deleteProgram(probe.fillProgram);
            appShutdown();
        }
        std::string log = debugLogCaptureEnd();
        EXPECT_EQ(log.find("GL error"), std::string::npos) << log;
        EXPECT_EQ(log.find("SHADER ERROR"), std::string::npos) << log;
    }
    void frameAt(double seconds) { appFrame({seconds, 0.0}); }
    // Plays the probe's script from the given time until its red phase shows; false if it never does.
    bool reachRed(double from = 0.0)
    {
        for (double t = from; t < 2.4; t += 0.05)
            frameAt(t);
        return cornerRed() == 255;
    }
    uint8_t cornerRed()
    {
        std::vector<uint8_t> rgba;
        int width = 0, height = 0;
        readTargetPixels(rgba, width, height);
        return rgba[0];
    }

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

TEST_F(FrameLoop, TheTransitionSecondFillsEveryFrameButHoldsTheScriptWhileBeatsFollowTheMusicInput)
{
    // 0.1 s steps with the music in step: beats begin at 0.46875 s and 0.9375 s, so fills 6 and 11 see them.
    for (long frame = 0; frame <= 10; ++frame)
        appFrame(fixedStepInput(frame, 10));
    EXPECT_EQ(probe.fills, 11);
    EXPECT_EQ(probe.updates, 0);  // the transition's last step, at 1.0 s, still stands in for the update
    appFrame(fixedStepInput(11, 10));
    EXPECT_EQ(probe.updates, 1);
    EXPECT_EQ(probe.timeline.index, 1);
    EXPECT_DOUBLE_EQ(probe.timeline.phaseStart, 1.1);
    EXPECT_EQ(probe.beatFills, (std::vector<int>{6, 11}));
    EXPECT_EQ(musicTime, 1.1f);
}

TEST_F(FrameLoop, TheScriptReachesThePictureAndTheEndMarkerClosesTheWindowAfterThatFrame)
{
    for (double t = 0.0; t < 1.5; t += 0.05)
        frameAt(t);
    EXPECT_EQ(cornerRed(), 0) << "still in the dark phase";
    ASSERT_TRUE(reachRed(1.5));
    EXPECT_FALSE(appShouldClose());
    for (double t = 2.4; t < 3.5 && !appShouldClose(); t += 0.05)
        frameAt(t);
    EXPECT_TRUE(probe.finished);
    EXPECT_TRUE(appShouldClose());
}

TEST_F(FrameLoop, ASecondStartUpAfterShutdownDrawsTheSamePicture)
{
    ASSERT_TRUE(reachRed());
    deleteProgram(probe.fillProgram);
    appShutdown();
    started = false;
    startApp();
    EXPECT_EQ(volume.volumeTex, 0u);  // shutdown let go of everything; the first frame creates it afresh
    EXPECT_TRUE(reachRed());
}

TEST_F(FrameLoop, AGlErrorIsReportedAtShutdownAndInDebugBuildsWhenItHappens)
{
    frameAt(0.0);
    glEnable(0xFFFF);  // not a capability: GL_INVALID_ENUM
    deleteProgram(probe.fillProgram);
    appShutdown();
    started = false;
    std::string log = debugLogCaptureEnd();
    debugLogCaptureBegin();  // the fixture checks a clean log of its own
    EXPECT_NE(log.find("\nGL error 0x0500\n"), std::string::npos) << log;
#ifndef NDEBUG
    EXPECT_NE(log.find("\nGL: "), std::string::npos) << log;
#endif
}
