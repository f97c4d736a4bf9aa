// tests/app/frameLoopTests.cpp
// The demo's own start-up and frame step, driven by hand into a small off-screen target.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "app/demoApp.h"
#include "audio/beat.h"
#include "platform/debugLog.h"
#include "gpu/fillDispatch.h"
#include "gpu/programs.h"
#include "gpu/renderSettings.h"
#include "gpu/volumeResources.h"
#include "sequencer/sceneBase.h"
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
    using cSceneBase::cSceneBase;
    void enter() override
    {
        show.renderSettings.volSize = 16;
        show.renderSettings.haloEnabled = false;
        std::fill_n(show.renderSettings.bgColor, 3, 0.0f);
        const float target[3] = {0.0f, 0.2f, 2.0f};
        std::copy_n(target, 3, cameraTarget);
        beginScript();
        timeline.phases = {waitTransitionPhase(*this), Phase{"dark", 1.0f, {}, {}},
                           Phase{"red", 0.5f, [this] { show.renderSettings.bgColor[0] = 1.0f; }, {}}};
        startTimeline(show, timeline);
    }
    void update() override
    {
        ++updates;
        cSceneBase::update();
    }
    FillRequest fill() const override
    {
        ++fills;
        if (show.beat.beatFlag)
            beatFills.push_back(fills);
        return cSceneBase::fill();
    }
    int updates = 0;
    mutable int fills = 0;
    mutable std::vector<int> beatFills;  // the fills, counted from 1, that saw a beat
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
        AppOptions options = offscreenAppOptions(64, 36);
        options.glDebugOutput = true;
        started = appStartup(app, options);
        ASSERT_TRUE(started);
        ShowState& show = app.show->state;
        show.renderSettings.volSize = 16;  // the first frame's volume is made before the probe's entry
        app.gpu.fills.push_back(buildFillProgram({"fillProbe", {constants_glsl, vol_write_glsl, emptyFillBody}}));
        ASSERT_NE(app.gpu.fills.back().handle, 0u);
        probe = std::make_unique<cSceneProbe>(show);
        probe->fillRow = (int)app.gpu.fills.size() - 1;
        show.sequence.sceneTable[0] = probe.get();
        show.sequence.scenePlaylist = {0, -2};
        show.sequence.currentSceneIndex = 0;
    }
    void TearDown() override
    {
        if (started)
            appShutdown(app);
        std::string log = debugLogCaptureEnd();
        EXPECT_TRUE(log.find("GL error") == std::string::npos && log.find("SHADER ERROR") == std::string::npos) << log;
    }
    // Plays the probe's script from the given time until its red phase shows; false if it never does.
    bool reachRed(double from = 0.0)
    {
        for (double t = from; t < 2.5; t += 0.05)
            appFrame(app, inputAt(t));
        return cornerRed() == 255;
    }
    uint8_t cornerRed()
    {
        std::vector<uint8_t> rgba;
        int width = 0, height = 0;
        readTargetPixels(rgba, width, height);
        return rgba[0];
    }

    // The show time t with the music standing still at 0.
    static FrameInput inputAt(double t)
    {
        FrameInput input;
        input.showTimeSec = t;
        return input;
    }

    bool started = false;
    DemoApp app;
    std::unique_ptr<cSceneProbe> probe;
};
}

TEST_F(FrameLoop, TheTransitionHoldsTheScriptWhileBeatsFollowTheMusicThenThePictureShowsAndTheEndMarkerCloses)
{
    // The first frame enters, creates the volume and reports no timings yet.
    FramePlan first = appFrame(app, fixedStepInput(0, 10));
    const VolumeResources& volume = app.gpu.volume;
    EXPECT_TRUE(app.show->state.sequence.currentScene == probe.get() && volume.volumeTex != 0 &&
                volume.volSize == 16 && app.show->state.gi.giFrameId == 1u);
    EXPECT_TRUE(first.fill.run && first.fill.program == probe->fillRow && first.gi.clear && first.gi.frameId == 0u);
    // 0.1 s steps with the music in step: beats begin at 0.46875 s and 0.9375 s, so fills 6 and 11 see them.
    for (long frame = 1; frame <= 10; ++frame)
        appFrame(app, fixedStepInput(frame, 10));
    EXPECT_TRUE(probe->fills == 11 && probe->updates == 0);  // the transition's last step stands in for the update
    appFrame(app, fixedStepInput(11, 10));
    EXPECT_TRUE(probe->updates == 1 && probe->timeline.index == 1 && probe->timeline.phaseStart == 1.1);
    EXPECT_EQ(app.show->state.beat.musicTime, 1.1f);
    EXPECT_EQ(probe->beatFills, (std::vector<int>{6, 11}));

    for (double t = 1.15; t < 2.0; t += 0.05)
        appFrame(app, inputAt(t));
    EXPECT_EQ(cornerRed(), 0) << "still in the dark phase";
    ASSERT_TRUE(reachRed(2.0));
    EXPECT_FALSE(appShouldClose());
    for (double t = 2.5; t < 3.5 && !appShouldClose(); t += 0.05)
        appFrame(app, inputAt(t));
    EXPECT_TRUE(probe->finished && appShouldClose());

    // Shutdown lets go of everything; after a second start-up the first frame creates it afresh.
    appShutdown(app);
    started = false;
    startApp();
    EXPECT_EQ(volume.volumeTex, 0u);
    EXPECT_TRUE(reachRed());
}

TEST_F(FrameLoop, AGlErrorIsReportedAtShutdownAndWhenItHappens)
{
    appFrame(app, inputAt(0.0));
    glEnable(0xFFFF);  // not a capability: GL_INVALID_ENUM
    appShutdown(app);
    started = false;
    std::string log = debugLogCaptureEnd();
    debugLogCaptureBegin();  // the fixture checks a clean log of its own
    EXPECT_NE(log.find("\nGL error 0x0500\n"), std::string::npos) << log;
    EXPECT_NE(log.find("\nGL: "), std::string::npos) << log;
}

TEST(OffscreenTarget, ATargetLargerThanTheDriverHoldsIsRefusedWithStatusTwoAndAMessage)
{
    AppOptions options = offscreenAppOptions(1 << 20, 16);
    options.windowWidth = 16;  // only the target is too large
    testing::internal::CaptureStderr();
    DemoApp app;
    EXPECT_FALSE(appStartup(app, options));
    std::string message = testing::internal::GetCapturedStderr();
    EXPECT_EQ(appStartupFailureStatus(), 2);
    EXPECT_NE(message.find("Lumenfold: 1048576x16: the size is larger than this driver's"), std::string::npos)
        << message;
}
