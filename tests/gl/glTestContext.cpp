// tests/gl/glTestContext.cpp
// One hidden window and GL context shared by every GL test; any GL error reported by the driver fails the test.
#include "volumeTestSupport.h"

#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <cstdio>

namespace {
GLFWwindow* window = nullptr;
std::vector<std::string> glErrors;

// Compile failures are reported through the info logs the tests read; everything else is a fault.
void GLAPIENTRY onDebugMessage(GLenum source, GLenum type, GLuint, GLenum severity, GLsizei, const GLchar* message,
                               const void*)
{
    bool fault = type == GL_DEBUG_TYPE_ERROR || severity == GL_DEBUG_SEVERITY_HIGH;
    if (fault && source != GL_DEBUG_SOURCE_SHADER_COMPILER)
        glErrors.push_back(message);
}

// Opens the context (4.3 compatibility, hidden 64 x 64 window) and installs the KHR_debug callback.
bool openTestContext()
{
    if (!glfwInit())
        return false;
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 4);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_COMPAT_PROFILE);
    glfwWindowHint(GLFW_OPENGL_DEBUG_CONTEXT, GLFW_TRUE);
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    window = glfwCreateWindow(64, 64, "lumenfold-gl-tests", nullptr, nullptr);
    if (!window)
        return false;
    glfwMakeContextCurrent(window);
    glewExperimental = GL_TRUE;
    if (glewInit() != GLEW_OK)
        return false;
    glGetError();
    glEnable(GL_DEBUG_OUTPUT_SYNCHRONOUS);
    glDebugMessageCallback(onDebugMessage, nullptr);
    return true;
}
}

std::vector<std::string> takeGlErrors()
{
    glFinish();
    for (GLenum e = glGetError(); e != GL_NO_ERROR; e = glGetError()) {
        char text[64];
        snprintf(text, sizeof(text), "glGetError 0x%04x", e);
        glErrors.push_back(text);
    }
    std::vector<std::string> errors;
    errors.swap(glErrors);
    return errors;
}

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    if (!openTestContext()) {
        fprintf(stderr, "GL tests need an OpenGL 4.3 context (run them under xvfb-run -a)\n");
        return 1;
    }
    int result = RUN_ALL_TESTS();
    glfwDestroyWindow(window);
    glfwTerminate();
    return result;
}
