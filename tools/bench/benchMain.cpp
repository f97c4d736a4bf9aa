// tools/bench/benchMain.cpp
// Opens a hidden 4.3 compatibility context, then runs the pass benchmarks with the renderer named in the report.
#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <benchmark/benchmark.h>

#include <cstdio>

int main(int argc, char** argv)
{
    if (!glfwInit()) {
        fprintf(stderr, "lumenfold-bench: the windowing library failed to start\n");
        return 1;
    }
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 4);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_COMPAT_PROFILE);
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    GLFWwindow* window = glfwCreateWindow(64, 64, "lumenfold-bench", nullptr, nullptr);
    if (!window) {
        fprintf(stderr, "lumenfold-bench: no OpenGL 4.3 context (run it under xvfb-run -a without a display)\n");
        glfwTerminate();
        return 1;
    }
    glfwMakeContextCurrent(window);
    glewExperimental = GL_TRUE;
    if (glewInit() != GLEW_OK) {
        fprintf(stderr, "lumenfold-bench: the OpenGL entry points failed to load\n");
        glfwTerminate();
        return 1;
    }
    benchmark::AddCustomContext("gl_renderer", (const char*)glGetString(GL_RENDERER));
    benchmark::AddCustomContext("gl_version", (const char*)glGetString(GL_VERSION));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    glfwDestroyWindow(window);
    glfwTerminate();
    return 0;
}
