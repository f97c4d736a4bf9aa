// app/windowContext.cpp
// GLFW's window and context, GLEW's entry points and, in debug builds, the GL debug messages routed to the log.
#include "app/windowContext.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <cctype>
#include <cstdio>
#include <cstring>

#include "app/demoApp.h"
#include "audio/music.h"
#include "platform/debugLog.h"
#include "platform/platform.h"

namespace {
GLFWwindow* window = nullptr;
bool viewerWatches = false;  // a visible window: a person is there to read why start-up failed

bool openWindow(const AppOptions& options)
{
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 4);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_COMPAT_PROFILE);
    glfwWindowHint(GLFW_VISIBLE, options.visible ? GLFW_TRUE : GLFW_FALSE);
#ifndef NDEBUG
    glfwWindowHint(GLFW_OPENGL_DEBUG_CONTEXT, GLFW_TRUE);
#endif
    window = glfwCreateWindow(options.windowWidth, options.windowHeight, "Lumenfold", nullptr, nullptr);
    if (!window)
        return false;
    GLFWmonitor* monitor = glfwGetPrimaryMonitor();
    if (options.fullscreen && monitor)
        glfwSetWindowMonitor(window, monitor, 0, 0, options.windowWidth, options.windowHeight, 60);
    glfwMakeContextCurrent(window);
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
}

bool openWindowContext(const AppOptions& options)
{
    viewerWatches = options.visible;
    if (!glfwInit())
        return failWindowContext("could not initialise the windowing library (is there a display?)");
    if (!openWindow(options))
        return failWindowContext(
            "no OpenGL 4.3 compatibility context could be created (the demo needs a GPU with OpenGL 4.3)");
    glewExperimental = GL_TRUE;
    if (glewInit() != GLEW_OK || !GLEW_VERSION_4_3)
        return failWindowContext("could not load the OpenGL 4.3 entry points");
    glGetError();  // GLEW's probing may leave an error behind
#ifndef NDEBUG
    glEnable(GL_DEBUG_OUTPUT_SYNCHRONOUS);
    glDebugMessageCallback(onGlDebugMessage, nullptr);
#endif
    logGpuStrings();
    return true;
}

bool failWindowContext(const char* what)
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
    // Started from the desktop, nobody reads standard error: the viewer is told in a box where the desktop has one.
    if (viewerWatches) {
        line[0] = (char)toupper((unsigned char)line[0]);
        strncat(line, ".", sizeof(line) - strlen(line) - 1);
        showDesktopBox("Lumenfold", line, BoxIcon::error);
    }
    return false;
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
