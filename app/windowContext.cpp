// app/windowContext.cpp
// GLFW's window and context, GLEW's entry points and, in debug builds, the GL debug messages routed to the log.
#include "app/windowContext.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "app/demoApp.h"
#include "app/iconPicture.h"
#include "audio/music.h"
#include "platform/debugLog.h"
#include "platform/platform.h"

namespace {
#ifdef NDEBUG
constexpr bool debugBuild = false;
#else
constexpr bool debugBuild = true;
#endif

bool wantsDebugOutput(const AppOptions& options)
{
    return debugBuild || options.glDebugOutput;
}

GLFWwindow* window = nullptr;
bool viewerWatches = false;  // a visible window: a person is there to read why start-up failed

const char driverAdvice[] =
    "\n\nTo play the show, install the latest graphics driver from the maker of the graphics card (NVIDIA, AMD or "
    "Intel) and start Lumenfold again. Remote Desktop sessions and virtual machines often lack OpenGL 4.3: start it "
    "on the computer itself.";

// What the desktop shows in the window's title, task bar and switcher.
void setWindowIcon()
{
    const int sizes[] = {16, 32, 48, 64, 128};
    std::vector<std::vector<uint8_t>> pictures;
    std::vector<GLFWimage> images;
    for (int size : sizes)
        pictures.push_back(drawIconPicture(size));
    for (size_t i = 0; i < pictures.size(); ++i)
        images.push_back({sizes[i], sizes[i], pictures[i].data()});
    glfwSetWindowIcon(window, (int)images.size(), images.data());
}

// The largest 16:9 window whose frame fits the monitor's work area, centred in it, so that no scaling of the
// desktop pushes the picture off the screen.
void fitWorkArea(GLFWmonitor* monitor)
{
    int x = 0, y = 0, width = 0, height = 0, left = 0, top = 0, right = 0, bottom = 0;
    glfwGetMonitorWorkarea(monitor, &x, &y, &width, &height);
    glfwGetWindowFrameSize(window, &left, &top, &right, &bottom);
    width -= left + right;
    height -= top + bottom;
    WindowSize size = largestShowWindow(width, height);
    if (size.width == 0)
        return;
    glfwSetWindowSize(window, size.width, size.height);
    glfwSetWindowPos(window, x + left + (width - size.width) / 2, y + top + (height - size.height) / 2);
}

bool openWindow(const AppOptions& options)
{
    GLFWmonitor* monitor = glfwGetPrimaryMonitor();
    // A window on the desktop is fitted to the screen before it is shown.
    bool fitted = options.visible && !options.fullscreen && monitor;
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 4);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_COMPAT_PROFILE);
    glfwWindowHint(GLFW_VISIBLE, options.visible && !fitted ? GLFW_TRUE : GLFW_FALSE);
    glfwWindowHint(GLFW_OPENGL_DEBUG_CONTEXT, wantsDebugOutput(options) ? GLFW_TRUE : GLFW_FALSE);
    window = glfwCreateWindow(options.windowWidth, options.windowHeight, "Lumenfold", nullptr, nullptr);
    if (!window)
        return false;
    if (options.visible)
        setWindowIcon();
    if (options.fullscreen && monitor)
        glfwSetWindowMonitor(window, monitor, 0, 0, options.windowWidth, options.windowHeight, 60);
    if (fitted) {
        fitWorkArea(monitor);
        glfwShowWindow(window);
    }
    glfwMakeContextCurrent(window);
    glfwSwapInterval(1);
    return true;
}

void GLAPIENTRY onGlDebugMessage(GLenum, GLenum type, GLuint, GLenum severity, GLsizei, const GLchar* message,
                                 const void*)
{
    if (type == GL_DEBUG_TYPE_ERROR || severity == GL_DEBUG_SEVERITY_HIGH)
        debugLog("GL: %s\n", message);
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

// Prints one line naming what failed and closes everything. Started from the desktop, nobody reads standard error:
// the viewer is told in a box where the desktop has one, with what to do about it where there is advice.
bool failStart(const char* what, const char* advice)
{
    const char* reason = nullptr;
    glfwGetError(&reason);
    char line[512];
    if (reason)
        snprintf(line, sizeof(line), "%s (%s)", what, reason);
    else
        snprintf(line, sizeof(line), "%s", what);
    fprintf(stderr, "Lumenfold: %s\n", line);
    closeWindowContext();
    if (viewerWatches) {
        std::string text = line;
        text[0] = (char)toupper((unsigned char)text[0]);
        text = text + "." + advice;
        showDesktopBox("Lumenfold", text.c_str(), BoxIcon::error);
    }
    return false;
}
}

bool openWindowContext(const AppOptions& options)
{
    viewerWatches = options.visible;
    if (!glfwInit())
        return failWindowContext("could not initialise the windowing library (is there a display?)");
    if (!openWindow(options))
        return failStart("no OpenGL 4.3 compatibility context could be created (the demo needs a GPU with OpenGL 4.3)",
                         driverAdvice);
    glewExperimental = GL_TRUE;
    if (glewInit() != GLEW_OK || !GLEW_VERSION_4_3)
        return failStart("could not load the OpenGL 4.3 entry points", driverAdvice);
    glGetError();  // GLEW's probing may leave an error behind
    if (wantsDebugOutput(options)) {
        glEnable(GL_DEBUG_OUTPUT_SYNCHRONOUS);
        glDebugMessageCallback(onGlDebugMessage, nullptr);
    }
    logGpuStrings();
    return true;
}

bool failWindowContext(const char* what)
{
    return failStart(what, "");
}

void closeWindowContext()
{
    if (window) {
        glfwDestroyWindow(window);
        window = nullptr;
    }
    glfwTerminate();
}

void presentBlackFrame()
{
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glfwSwapBuffers(window);
}

void presentFrame()
{
    glfwSwapBuffers(window);
    glfwPollEvents();
}

void askWindowToClose()
{
    glfwSetWindowShouldClose(window, GLFW_TRUE);
}

bool windowMinimised()
{
    return glfwGetWindowAttrib(window, GLFW_ICONIFIED);
}

void waitForWindowEvents(double timeoutSec)
{
    glfwWaitEventsTimeout(timeoutSec);
}

WindowSize largestShowWindow(int availableWidth, int availableHeight)
{
    // Whole steps of 16 x 9 keep the picture's aspect exact.
    int steps = std::max(0, std::min({availableWidth / 16, availableHeight / 9, 1920 / 16}));
    return {steps * 16, steps * 9};
}

FrameInput liveFrameInput()
{
    FrameInput input;
    input.showTimeSec = glfwGetTime();
    input.musicTimeSec = musicCursor();
    return input;
}

bool appShouldClose()
{
    return glfwWindowShouldClose(window);
}

GLFWwindow* appWindow()
{
    return window;
}
