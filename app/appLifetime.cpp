// app/appLifetime.cpp
// Start-up and shutdown, in the order the whole pipeline depends on.
#include "app/demoApp.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <cstdio>

#include "app/contentFiles.h"
#include "app/frameStep.h"
#include "app/keyInput.h"
#include "app/offscreenTarget.h"
#include "app/userInterface.h"
#include "app/windowContext.h"
#include "audio/music.h"
#include "gpu/gpuTimer.h"
#include "gpu/occupancy.h"
#include "gpu/programs.h"
#include "gpu/renderer.h"
#include "gpu/volumeResources.h"
#include "platform/debugLog.h"
#include "platform/platform.h"
#include "scenes/sceneRegistry.h"

namespace {
int failureStatus = 0;
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

bool appStartup(const AppOptions& options)
{
    failureStatus = 1;
    resetRun();
    setFrameVolumeOverride(options.volumeOverride);
    emptySpaceSkipping = options.emptySpaceSkipping;
    appFixRaysPerFrame(options.fixedRaysPerFrame);
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
    computeStartupCaptionMetrics(width);
    createUniformBuffers();
    buildAllPrograms(sceneProgramRows());
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

void appShutdown()
{
    // A sticky error left by any pass is reported once, so runs can be checked for a clean GL stream.
    for (GLenum error = glGetError(); error != GL_NO_ERROR; error = glGetError())
        debugLog("GL error 0x%04x\n", error);
    shutDownUserInterface();
    deleteAllPrograms(sceneProgramRows());
    deleteRendererObjects();
    deleteGpuTiming();
    deleteVolumeResources();
    deleteUniformBuffers();
    deleteOffscreenTarget();
    closeWindowContext();
    musicShutdown();
}
