// app/demoApp.cpp
// Start-up, the frame loop's one step and shutdown, in the order the whole pipeline depends on.
#include "app/demoApp.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "app/fontFile.h"
#include "app/keyInput.h"
#include "app/messageBox.h"
#include "audio/beat.h"
#include "audio/music.h"
#include "gpu/debugLog.h"
#include "gpu/giPass.h"
#include "gpu/giState.h"
#include "gpu/gpuTimer.h"
#include "gpu/occupancy.h"
#include "gpu/programs.h"
#include "gpu/rayBudget.h"
#include "gpu/renderSettings.h"
#include "gpu/renderer.h"
#include "gpu/volumeResources.h"
#include "imgui.h"
#include "imgui_impl_glfw.h"
#include "imgui_impl_opengl2.h"
#include "overlay/captionMetrics.h"
#include "overlay/overlay.h"
#include "scenes/sceneRegistry.h"
#include "sequencer/camera.h"
#include "sequencer/demoClock.h"
#include "sequencer/sceneBase.h"
#include "sequencer/sceneSequence.h"

namespace {
struct {
    GLFWwindow* window = nullptr;
    int width = 0, height = 0;  // last seen framebuffer size
    int volumeOverride = 0;
    int fixedRaysPerFrame = 0;
} loop;

// The off-screen target of the capture tool and the tests; framebuffer 0 is the window.
struct {
    GLuint framebuffer = 0;
    GLuint colour = 0;
    int width = 0, height = 0;
} target;

bool fail(const char* what)
{
    const char* reason = nullptr;
    glfwGetError(&reason);
    if (reason)
        fprintf(stderr, "Lumenfold: %s (%s)\n", what, reason);
    else
        fprintf(stderr, "Lumenfold: %s\n", what);
    if (loop.window) {
        glfwDestroyWindow(loop.window);
        loop.window = nullptr;
    }
    glfwTerminate();
    return false;
}

bool openWindow(const AppOptions& options)
{
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 4);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_COMPAT_PROFILE);
    glfwWindowHint(GLFW_VISIBLE, options.visible ? GLFW_TRUE : GLFW_FALSE);
#ifndef NDEBUG
    glfwWindowHint(GLFW_OPENGL_DEBUG_CONTEXT, GLFW_TRUE);
#endif
    loop.window = glfwCreateWindow(options.windowWidth, options.windowHeight, "Lumenfold", nullptr, nullptr);
    if (!loop.window)
        return false;
    GLFWmonitor* monitor = glfwGetPrimaryMonitor();
    if (options.fullscreen && monitor)
        glfwSetWindowMonitor(loop.window, monitor, 0, 0, options.windowWidth, options.windowHeight, 60);
    glfwMakeContextCurrent(loop.window);
    glfwSwapInterval(1);
    return true;
}

#ifndef NDEBUG
void GLAPIENTRY onGlDebugMessage(GLenum, GLenum type, GLuint, GLenum severity, GLsizei, const GLchar* message, const void*)
{
    if (type == GL_DEBUG_TYPE_ERROR || severity == GL_DEBUG_SEVERITY_HIGH)
        debugLog("GL: %s\n", message);
}
#endif

void createTarget(int width, int height)
{
    glGenTextures(1, &target.colour);
    glBindTexture(GL_TEXTURE_2D, target.colour);
    glTexStorage2D(GL_TEXTURE_2D, 1, GL_RGBA8, width, height);
    glBindTexture(GL_TEXTURE_2D, 0);
    glGenFramebuffers(1, &target.framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, target.framebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, target.colour, 0);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    target.width = width;
    target.height = height;
}

void deleteTarget()
{
    if (target.framebuffer) {
        glDeleteFramebuffers(1, &target.framebuffer);
        target.framebuffer = 0;
    }
    if (target.colour) {
        glDeleteTextures(1, &target.colour);
        target.colour = 0;
    }
}

void targetSize(int& width, int& height)
{
    if (target.framebuffer) {
        width = target.width;
        height = target.height;
    } else {
        glfwGetFramebufferSize(loop.window, &width, &height);
    }
}

void presentBlackFrame()
{
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glfwSwapBuffers(loop.window);
}

void logGpuStrings()
{
    const char* renderer = (const char*)glGetString(GL_RENDERER);
    if (renderer) {
        char name[96];
        snprintf(name, sizeof(name), "%s", renderer);
        debugLog("GPU: %s\n", name);
    }
    const char* version = (const char*)glGetString(GL_VERSION);
    debugLog("OpenGL: %s\n", version ? version : "");
}

float globalFontScale()
{
    float x = 1.0f, y = 1.0f;
    if (GLFWmonitor* monitor = glfwGetPrimaryMonitor())
        glfwGetMonitorContentScale(monitor, &x, &y);
    return std::max(1.0f, std::max(x, y));
}

bool setUpUserInterface(const AppOptions& options)
{
    // The overlay and the warning box rely on this exact version's behaviour.
    if (strcmp(ImGui::GetVersion(), "1.92.6") != 0)
        return false;
    IMGUI_CHECKVERSION();
    ImGui::CreateContext();
    ImGui::StyleColorsDark();
    ImGuiStyle& style = ImGui::GetStyle();
    style.WindowBorderSize = 0.0f;
    style.Colors[ImGuiCol_WindowBg].w = 0.4f;
    style.FontScaleMain = globalFontScale();
    ImGuiIO& io = ImGui::GetIO();
    io.IniFilename = nullptr;  // the demo writes no files
    io.Fonts->AddFontDefault();
    // The back ends come first here because the missing-font box is drawn with them.
    ImGui_ImplGlfw_InitForOpenGL(loop.window, true);
    ImGui_ImplOpenGL2_Init();

    bool opens = fontFileOpens(options.fontFile);
    if (!opens && options.visible)
        showWarningBox(loop.window, "Missing font", "Corvel.ttf not found in working directory");
    else if (!opens)  // nobody could dismiss a box in a hidden window
        fprintf(stderr, "Missing font: Corvel.ttf not found in working directory\n");
    std::vector<unsigned char> fontData;
    if (!loadUsableFont(options.fontFile, fontData)) {
        if (opens)
            debugLog("%s is not a usable font; the built-in font serves\n", options.fontFile);
    } else {
        void* atlasCopy = IM_ALLOC(fontData.size());
        memcpy(atlasCopy, fontData.data(), fontData.size());
        io.Fonts->AddFontFromMemoryTTF(atlasCopy, (int)fontData.size(), 96.0f);
    }
    return true;
}

void computeStartupCaptionMetrics()
{
    ImGui_ImplOpenGL2_NewFrame();
    ImGui_ImplGlfw_NewFrame();
    ImGui::NewFrame();
    computeCaptionMetrics(ImGui::GetFontSize(), loop.width);
    ImGui::EndFrame();
}

void restoreNeutralState()
{
    glUseProgram(0);
    glBindVertexArray(0);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_3D, 0);
    glBindTexture(GL_TEXTURE_2D, 0);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glViewport(0, 0, loop.width, loop.height);
}

int frameVolSize()
{
    return loop.volumeOverride > 0 ? loop.volumeOverride : renderSettings.volSize;
}

void keepViewportInStep()
{
    glBindFramebuffer(GL_FRAMEBUFFER, target.framebuffer);
    int width = 0, height = 0;
    targetSize(width, height);
    if (width != loop.width || height != loop.height) {
        loop.width = width;
        loop.height = height;
        glViewport(0, 0, width, height);
    }
}

// Only the running average refills the volume; the other modes hold it, and its occupancy, still.
bool fillVolume()
{
    if (giAccumMode != giRunningAverage || !currentScene)
        return false;
    currentScene->fill(frameVolSize());
    return true;
}

void lightVolume()
{
    giFrameControl(loop.fixedRaysPerFrame > 0 ? loop.fixedRaysPerFrame : renderSettings.raysPerFrame);
}

ViewsUBO buildFrameViews(const CameraBasis& mainBasis)
{
    ViewSetup setup;
    setup.mainBasis = mainBasis;
    satelliteAngles(demoClock(), cameraYaw, cameraPitch, setup.yaws, setup.pitches);
    setup.viewDistance = viewCameraDistance(cameraDistance, cameraKick);
    setup.volSize = frameVolSize();
    setup.width = loop.width;
    setup.height = loop.height;
    setup.gamma = renderSettings.gamma;
    setup.refraction = renderSettings.refraction;
    setup.hihatPulse = hihatPulse;
    return buildViews(setup, viewLayout);
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

bool appStartup(const AppOptions& options)
{
    fillSceneTable();
    resetSceneSequence();
    loop.volumeOverride = options.volumeOverride;
    emptySpaceSkipping = options.emptySpaceSkipping;
    loop.fixedRaysPerFrame = 0;
    if (!glfwInit())
        return fail("could not initialise the windowing library (is there a display?)");
    if (!openWindow(options))
        return fail("no OpenGL 4.3 compatibility context could be created (the demo needs a GPU with OpenGL 4.3)");
    glewExperimental = GL_TRUE;
    if (glewInit() != GLEW_OK || !GLEW_VERSION_4_3)
        return fail("could not load the OpenGL 4.3 entry points");
    glGetError();  // GLEW's probing may leave an error behind
#ifndef NDEBUG
    glEnable(GL_DEBUG_OUTPUT_SYNCHRONOUS);
    glDebugMessageCallback(onGlDebugMessage, nullptr);
#endif
    if (options.targetWidth > 0 && options.targetHeight > 0)
        createTarget(options.targetWidth, options.targetHeight);

    presentBlackFrame();
    glfwSetInputMode(loop.window, GLFW_CURSOR, GLFW_CURSOR_DISABLED);
    logGpuStrings();
    installWindowHandlers(loop.window);
    if (!setUpUserInterface(options))
        return fail("the user-interface layer is not Dear ImGui 1.92.6");
    musicInitEngine();
    targetSize(loop.width, loop.height);
    glViewport(0, 0, loop.width, loop.height);
    computeStartupCaptionMetrics();
    createUniformBuffers();
    buildAllPrograms(sceneProgramRows());
    if (options.playMusic)
        musicLoadAndStart(options.musicFile);
    return true;
}

void appFrame(const FrameInput& input)
{
    setDemoClock(input.showTimeSec);
    trackBeat((float)input.musicTimeSec);
    keepViewportInStep();
    if (checkVolumeResources(frameVolSize()))
        giFrameId = 0;
    if (applySceneSwitch())
        giFrameId = 0;

    beginGpuTiming();
    bool filled = fillVolume();
    recordGpuStamp(stampAfterFill);
    if (filled)
        updateOccupancy();
    recordGpuStamp(stampAfterOccupancy);
    if (stepSequencer())
        glfwSetWindowShouldClose(loop.window, GLFW_TRUE);
    recordGpuStamp(stampBeforeGi);

    lightVolume();
    CameraBasis mainBasis = buildCameraBasis(cameraYaw, cameraPitch, mainCameraDistance(cameraDistance, cameraKick));
    recordGpuStamp(stampAfterGi);
    drawFrameVolume(buildFrameViews(mainBasis));
    recordGpuStamp(stampAfterDraw);
    flipGpuTimingSets();

    restoreNeutralState();
    // With the rays fixed by the driver the controller holds still, so nothing a script reads from it depends on
    // how fast this machine happens to be.
    if (loop.fixedRaysPerFrame == 0)
        stepRayBudgetController();
    overlayPass(loop.width, loop.height);

    glfwSwapBuffers(loop.window);
    glfwPollEvents();
    decayPulses();
}

FrameInput liveFrameInput()
{
    return {glfwGetTime(), musicCursor()};
}

void appFixRaysPerFrame(int rays)
{
    loop.fixedRaysPerFrame = rays;
}

bool appShouldClose()
{
    return glfwWindowShouldClose(loop.window);
}

void appShutdown()
{
    // A sticky error left by any pass is reported once, so runs can be checked for a clean GL stream.
    for (GLenum error = glGetError(); error != GL_NO_ERROR; error = glGetError())
        debugLog("GL error 0x%04x\n", error);
    ImGui_ImplOpenGL2_Shutdown();
    ImGui_ImplGlfw_Shutdown();
    ImGui::DestroyContext();
    deleteAllPrograms(sceneProgramRows());
    deleteRendererObjects();
    deleteGpuTiming();
    deleteVolumeResources();
    deleteUniformBuffers();
    deleteTarget();
    glfwDestroyWindow(loop.window);
    loop.window = nullptr;
    musicShutdown();
    glfwTerminate();
}

GLFWwindow* appWindow()
{
    return loop.window;
}

void readTargetPixels(std::vector<uint8_t>& rgba, int& width, int& height)
{
    targetSize(width, height);
    std::vector<uint8_t> bottomUp((size_t)width * height * 4);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, target.framebuffer);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, bottomUp.data());
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    rgba.resize(bottomUp.size());
    size_t row = (size_t)width * 4;
    for (int y = 0; y < height; ++y)
        memcpy(&rgba[y * row], &bottomUp[(height - 1 - y) * row], row);
}

long appShowFrames(int fps, long limitFrames)
{
    // A child plays appFrame's sequencer calls, in its order and without a GPU pass, so that no scene keeps
    // state from the rehearsal: some remember things for the whole run.
    int channel[2];
    if (pipe(channel) != 0)
        return -1;
    pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
        fillSceneTable();
        resetSceneSequence();
        long frames = -1;
        for (long frame = 0; frame < limitFrames && frames < 0; ++frame) {
            FrameInput input = fixedStepInput(frame, fps);
            setDemoClock(input.showTimeSec);
            trackBeat((float)input.musicTimeSec);
            applySceneSwitch();
            if (stepSequencer())
                frames = frame + 1;
            decayPulses();
        }
        bool sent = write(channel[1], &frames, sizeof(frames)) == (ssize_t)sizeof(frames);
        _exit(sent ? 0 : 1);
    }
    close(channel[1]);
    long frames = -1;
    if (child < 0 || read(channel[0], &frames, sizeof(frames)) != (ssize_t)sizeof(frames))
        frames = -1;
    close(channel[0]);
    if (child > 0)
        waitpid(child, nullptr, 0);
    return frames;
}
