// tests/app/showTourTests.cpp
// The whole show on the fixed step, music in step with it, at a small volume into a small target with one GI ray:
// every scene once, ending on the frame its rehearsal found, a clean GL stream, and no growth in GL objects across
// scenes. Leaks of
// memory are the sanitizer build's to find, where this test runs too.
#include <gtest/gtest.h>

#include <GL/glew.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>
#include <vector>

#include "app/demoApp.h"
#include "platform/debugLog.h"
#include "logLines.h"
#include "sequencer/sceneBase.h"
#include "scenes/sceneRegistry.h"

namespace {
// Live textures, buffers, framebuffers, vertex arrays, samplers, queries, programs and shaders; every kind
// names its objects with small integers from 1 up.
std::array<int, 8> liveGlObjects()
{
    std::array<int, 8> counts{};
    for (GLuint name = 1; name <= 4096; ++name) {
        counts[0] += glIsTexture(name);
        counts[1] += glIsBuffer(name);
        counts[2] += glIsFramebuffer(name);
        counts[3] += glIsVertexArray(name);
        counts[4] += glIsSampler(name);
        counts[5] += glIsQuery(name);
        counts[6] += glIsProgram(name);
        counts[7] += glIsShader(name);
    }
    return counts;
}
}

TEST(ShowTour, EveryScenePlaysOnceEachTakingOverAsTheLastEndsAndTheShowClosesOnTheFrameItsRehearsalFound)
{
    AppOptions options = offscreenAppOptions(32, 18);
    options.volumeOverride = 16;
    options.fixedRaysPerFrame = 1;  // so that nothing a script reads depends on how fast this machine is
    options.glDebugOutput = true;
    debugLogCaptureBegin();
    DemoApp app;
    ASSERT_TRUE(appStartup(app, options));
    const SceneSequence& sequence = app.show->state.sequence;

    constexpr int fps = 10;
    std::vector<int> entered;
    std::vector<double> enteredAt, finishedAt;
    std::vector<std::array<int, 8>> objectsAtEnd;
    long frame = 0;
    for (; !appShouldClose() && frame < fps * 1200; ++frame) {
        FrameInput input = fixedStepInput(frame, fps);
        appFrame(app, input);
        if (entered.empty() || entered.back() != sequence.lastAppliedScene) {
            entered.push_back(sequence.lastAppliedScene);
            enteredAt.push_back(input.showTimeSec);
        }
        if (sequence.currentScene->finished && finishedAt.size() < entered.size()) {
            finishedAt.push_back(input.showTimeSec);
            objectsAtEnd.push_back(liveGlObjects());
        }
    }
    bool closed = appShouldClose();
    const long rehearsed = countShowFrames(app.show->config, fps, fps * 1200);
    appShutdown(app);
    std::string log = debugLogCaptureEnd();

    EXPECT_TRUE(closed);
    EXPECT_EQ(frame, rehearsed) << "the drawn show and its rehearsal end on different frames";
    std::vector<int> registered, enteredOnce = entered;
    for (const SceneRow& row : sceneRegistry())
        registered.push_back(row.tableIndex);
    std::sort(registered.begin(), registered.end());
    std::sort(enteredOnce.begin(), enteredOnce.end());
    EXPECT_EQ(enteredOnce, registered);
    ASSERT_EQ(finishedAt.size(), entered.size());
    // The advance runs in the frame that ends a script; the next scene is entered one step later.
    for (size_t k = 0; k + 1 < entered.size(); ++k)
        EXPECT_NEAR(enteredAt[k + 1], finishedAt[k] + 1.0 / fps, 1e-9) << "scene " << entered[k + 1];
    EXPECT_DOUBLE_EQ(fixedStepInput(frame - 1, fps).showTimeSec, finishedAt.back());
    // GL debug messages (Debug builds), sticky GL errors and failed builds.
    EXPECT_EQ(linesBeginning(log, {"GL: ", "GL error", "SHADER ERROR"}), "");
    for (size_t k = 1; k < objectsAtEnd.size(); ++k)
        EXPECT_EQ(objectsAtEnd[k], objectsAtEnd[0]) << "GL objects after scene " << entered[k];
    printf("The show lasts %.1f s at %d frames per second.\n", finishedAt.back(), fps);
}
