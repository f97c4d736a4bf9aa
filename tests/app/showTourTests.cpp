// tests/app/showTourTests.cpp
// The whole show on the fixed step, music in step with it, at a small volume into a small target: the
// show's contract with its playlist.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/demoApp.h"
#include "gpu/debugLog.h"
#include "sequencer/sceneBase.h"
#include "sequencer/sceneSequence.h"

TEST(ShowTour, EveryScenePlaysOnceInPlaylistOrderEachTakingOverAsTheLastEndsAndTheShowClosesItself)
{
    AppOptions options = offscreenAppOptions(32, 18);
    options.volumeOverride = 16;
    debugLogCaptureBegin();
    ASSERT_TRUE(appStartup(options));

    constexpr int fps = 10;
    std::vector<int> entered;
    std::vector<double> enteredAt, finishedAt;
    long frame = 0;
    for (; !appShouldClose() && frame < fps * 1200; ++frame) {
        FrameInput input = fixedStepInput(frame, fps);
        appFrame(input);
        if (entered.empty() || entered.back() != lastAppliedScene) {
            entered.push_back(lastAppliedScene);
            enteredAt.push_back(input.showTimeSec);
        }
        if (currentScene->finished && finishedAt.size() < entered.size())
            finishedAt.push_back(input.showTimeSec);
    }
    bool closed = appShouldClose();
    appShutdown();
    std::string log = debugLogCaptureEnd();

    EXPECT_TRUE(closed);
    EXPECT_EQ(entered, scenePlaylist);
    ASSERT_EQ(finishedAt.size(), entered.size());
    // The advance runs in the frame that ends a script; the next scene is entered one step later.
    for (size_t k = 0; k + 1 < entered.size(); ++k)
        EXPECT_NEAR(enteredAt[k + 1], finishedAt[k] + 1.0 / fps, 1e-9) << "scene " << entered[k + 1];
    EXPECT_DOUBLE_EQ(fixedStepInput(frame - 1, fps).showTimeSec, finishedAt.back());
    EXPECT_EQ(log.find("SHADER ERROR"), std::string::npos) << log;
    EXPECT_EQ(log.find("GL error"), std::string::npos) << log;
    printf("The show lasts %.1f s at %d frames per second.\n", finishedAt.back(), fps);
}
