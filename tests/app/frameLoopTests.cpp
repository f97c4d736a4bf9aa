// tests/app/frameLoopTests.cpp
// The demo's own start-up and frame step, driven by hand into a small off-screen target.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "app/demoApp.h"
#include "audio/beat.h"
#include "platform/debugLog.h"
#include "gpu/fillDispatch.h"
#include "gpu/giState.h"
#include "gpu/programs.h"
#include "gpu/renderSettings.h"
#include "gpu/volumeResources.h"
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
        std::fill_n(renderSettings.bgColor, 3, 0.0f);
        const float target[3] = {0.0f, 0.2f, 2.0f};
        std::copy_n(target, 3, cameraTarget);
        beginScript();
        timeline.phases = {waitTransitionPhase(*this), Phase{"dark", 1.0f, {}, {}},
                           Phase{"red", 0.5f, [] { renderSettings.bgColor[0] = 1.0f; }, {}}};
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
    int updates = 0, fills = 0;
    std::vector<int> beatFills;  // the fills, counted from 1, that saw a beat
};

class FrameLoop : public testing::Test {
protected:
    void SetUp() override
    {
        debugLogCaptureBegin();
        startApp();
    }
    void startApp()
    {
        started = appStartup(offscreenAppOptions(64, 36));
        ASSERT_TRUE(started);
        restoreSharedDefaults();
        renderSettings.volSize = 16;  // the first frame's resource check runs before the probe's entry
        probe.fillProgram = buildComputeProgram("fillProbe", {constants_glsl, vol_write_glsl, emptyFillBody});
        ASSERT_NE(probe.fillProgram, 0u);
        sceneTable[0] = &probe;
        scenePlaylist = {0, -2};
        currentSceneIndex = 0;
    }
    void TearDown() override
    {
        scenePlaylist = savedPlaylist;
        if (started) {
            deleteProgram(probe.fillProgram);
            appShutdown();
        }
        std::string log = debugLogCaptureEnd();
        EXPECT_TRUE(log.find("GL error") == std::string::npos && log.find("SHADER ERROR") == std::string::npos) << log;
    }
    // Plays the probe's script from the given time until its red phase shows; false if it never does.
    bool reachRed(double from = 0.0)
    {
        for (double t = from; t < 2.5; t += 0.05)
            appFrame({t, 0.0});
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
    std::vector<int> savedPlaylist = scenePlaylist;
};
}

TEST_F(FrameLoop, TheTransitionHoldsTheScriptWhileBeatsFollowTheMusicThenThePictureShowsAndTheEndMarkerCloses)
{
    // The first frame enters, creates the volume and reports no timings yet.
    appFrame(fixedStepInput(0, 10));
    EXPECT_TRUE(currentScene == &probe && volume.volumeTex != 0 && volume.volSize == 16 && giFrameId == 1u);
    EXPECT_TRUE(gpuFillMs == 0.0f && gpuGiMs == 0.0f && gpuRenderMs == 0.0f);
    // 0.1 s steps with the music in step: beats begin at 0.46875 s and 0.9375 s, so fills 6 and 11 see them.
    for (long frame = 1; frame <= 10; ++frame)
        appFrame(fixedStepInput(frame, 10));
    EXPECT_TRUE(probe.fills == 11 && probe.updates == 0);  // the transition's last step stands in for the update
    appFrame(fixedStepInput(11, 10));
    EXPECT_TRUE(probe.updates == 1 && probe.timeline.index == 1 && probe.timeline.phaseStart == 1.1);
    EXPECT_EQ(musicTime, 1.1f);
    EXPECT_EQ(probe.beatFills, (std::vector<int>{6, 11}));

    for (double t = 1.15; t < 2.0; t += 0.05)
        appFrame({t, 0.0});
    EXPECT_EQ(cornerRed(), 0) << "still in the dark phase";
    ASSERT_TRUE(reachRed(2.0));
    EXPECT_FALSE(appShouldClose());
    for (double t = 2.5; t < 3.5 && !appShouldClose(); t += 0.05)
        appFrame({t, 0.0});
    EXPECT_TRUE(probe.finished && appShouldClose());

    // Shutdown lets go of everything; after a second start-up the first frame creates it afresh.
    deleteProgram(probe.fillProgram);
    appShutdown();
    started = false;
    startApp();
    EXPECT_EQ(volume.volumeTex, 0u);
    EXPECT_TRUE(reachRed());
}

TEST_F(FrameLoop, AGlErrorIsReportedAtShutdownAndInDebugBuildsWhenItHappens)
{
    appFrame({0.0, 0.0});
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

TEST(OffscreenTarget, ATargetLargerThanTheDriverHoldsIsRefusedWithStatusTwoAndAMessage)
{
    AppOptions options = offscreenAppOptions(1 << 20, 16);
    options.windowWidth = 16;  // only the target is too large
    testing::internal::CaptureStderr();
    EXPECT_FALSE(appStartup(options));
    std::string message = testing::internal::GetCapturedStderr();
    EXPECT_EQ(appStartupFailureStatus(), 2);
    EXPECT_NE(message.find("Lumenfold: 1048576x16: the size is larger than this driver's"), std::string::npos)
        << message;
}
