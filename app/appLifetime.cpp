// app/appLifetime.cpp
// Start-up and shutdown, in the order the whole pipeline depends on, and the frame that joins the two halves.
#include "app/demoApp.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <cstdio>

#include "app/contentFiles.h"
#include "app/keyInput.h"
#include "app/offscreenTarget.h"
#include "app/renderFrame.h"
#include "app/softwareRenderer.h"
#include "app/userInterface.h"
#include "app/windowContext.h"
#include "audio/music.h"
#include "gpu/renderer.h"
#include "platform/debugLog.h"
#include "platform/platform.h"
#include "scenes/sceneRegistry.h"

namespace {
int failureStatus = 0;

// The CPU half of a frame for the current target, with the GPU times the ray budget is to read.
FramePlan stepAppShow(DemoApp& app, const FrameInput& input, const GpuTimes& previousGpuTimes)
{
    FrameInput frame = input;
    frameTargetSize(frame.targetWidth, frame.targetHeight);
    frame.previousGpuTimes = previousGpuTimes;
    FramePlan plan = stepShow(*app.show, frame);
    if (plan.showOver)
        askWindowToClose();
    return plan;
}
}

AppOptions offscreenAppOptions(int width, int height)
{
    AppOptions options;
    options.fullscreen = false;
    options.visible = false;
    options.windowWidth = options.targetWidth = width;
    options.windowHeight = options.targetHeight = height;
    options.playMusic = false;
    return options;
}

bool appStartup(DemoApp& app, const AppOptions& options)
{
    failureStatus = 1;
    app.options = options;
    app.gpu.emptySpaceSkipping = options.emptySpaceSkipping;
    ContentFile font = findContent(options.fontFile);
    // The desktop's box comes before the full-screen window, which would lose the focus to it and be minimised.
    bool fontWarningShown =
        font.path.empty() && options.visible && showDesktopBox("Missing font", font.missing.c_str(), BoxIcon::warning);
    if (!openWindowContext(options))
        return false;
    if (options.targetWidth > 0 && options.targetHeight > 0) {
        const char* refused = createOffscreenTarget(options.targetWidth, options.targetHeight);
        if (*refused) {
            char what[160];
            snprintf(what, sizeof(what), "%dx%d: %s", options.targetWidth, options.targetHeight, refused);
            failureStatus = 2;
            return failWindowContext(what);
        }
    }

    presentBlackFrame();
    glfwSetInputMode(appWindow(), GLFW_CURSOR, GLFW_CURSOR_DISABLED);
    installWindowHandlers(appWindow());
    if (!setUpUserInterface(options, font, fontWarningShown))
        return failWindowContext("the user-interface layer is not Dear ImGui 1.92.6");
    musicInitEngine();
    int width = 0, height = 0;
    bindFrameTarget(width, height);
    glViewport(0, 0, width, height);
    app.captionFontSize = captionFontSize();
    createUniformBuffers(app.gpu.buffers);
    buildAllPrograms(app.gpu.programs, app.gpu.fills, sceneProgramRows());
    app.gpu.timing.flushEachStamp = isSoftwareRenderer((const char*)glGetString(GL_RENDERER));
    appStartShow(app, options.startScene);
    if (options.playMusic) {
        ContentFile music = findContent(options.musicFile);
        musicLoadAndStart(music.path.empty() ? options.musicFile : music.path.c_str());
    }
    failureStatus = 0;
    return true;
}

int appStartupFailureStatus()
{
    return failureStatus;
}

void appStartShow(DemoApp& app, int startScene)
{
    ShowConfig config;
    config.startScene = startScene;
    config.volumeOverride = app.options.volumeOverride;
    config.fixedRaysPerFrame = app.options.fixedRaysPerFrame;
    config.fontSize = app.captionFontSize;
    app.show = makeShow(config);
    app.previousGpuTimes = GpuTimes();
}

FramePlan appFrame(DemoApp& app, const FrameInput& input)
{
    FramePlan plan = stepAppShow(app, input, app.previousGpuTimes);
    app.previousGpuTimes = renderFrame(app.gpu, plan);
    return plan;
}

void appStepWithoutDrawing(DemoApp& app, const FrameInput& input)
{
    // Nothing is measured while nothing is drawn, so the ray budget rests.
    stepAppShow(app, input, GpuTimes());
}

void appShutdown(DemoApp& app)
{
    // A sticky error left by any pass is reported once, so runs can be checked for a clean GL stream.
    for (GLenum error = glGetError(); error != GL_NO_ERROR; error = glGetError())
        debugLog("GL error 0x%04x\n", error);
    shutDownUserInterface();
    deleteAllPrograms(app.gpu.programs, app.gpu.fills);
    deleteRendererObjects(app.gpu);
    deleteGpuTiming(app.gpu.timing);
    deleteVolumeResources(app.gpu.volume);
    deleteUniformBuffers(app.gpu.buffers);
    deleteOffscreenTarget();
    closeWindowContext();
    musicShutdown();
}
