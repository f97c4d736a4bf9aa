// app/keyInput.cpp
#include "app/keyInput.h"

#include <GLFW/glfw3.h>

namespace {
bool escapeQuits = true;

void onKey(GLFWwindow* window, int key, int, int action, int)
{
    if (escapeQuits && action == GLFW_PRESS && key == GLFW_KEY_ESCAPE)
        glfwSetWindowShouldClose(window, GLFW_TRUE);
}
}

void installWindowHandlers(GLFWwindow* window)
{
    glfwSetKeyCallback(window, onKey);
}

void setEscapeQuits(bool quits)
{
    escapeQuits = quits;
}
