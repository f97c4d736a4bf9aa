// app/messageBox.cpp
#include "app/messageBox.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <cstdio>

#include "app/keyInput.h"
#include "app/userInterface.h"
#include "imgui.h"

namespace {
void drawExclamationSign(float size)
{
    ImVec2 corner = ImGui::GetCursorScreenPos();
    ImDrawList* draw = ImGui::GetWindowDrawList();
    draw->AddTriangleFilled(ImVec2(corner.x + size * 0.5f, corner.y), ImVec2(corner.x + size, corner.y + size),
                            ImVec2(corner.x, corner.y + size), IM_COL32(240, 190, 40, 255));
    ImVec2 mark = ImGui::CalcTextSize("!");
    draw->AddText(ImVec2(corner.x + (size - mark.x) * 0.5f, corner.y + size * 0.62f - mark.y * 0.5f),
                  IM_COL32(20, 20, 20, 255), "!");
    ImGui::Dummy(ImVec2(size, size));
}

// One frame of the box; true once the user has dismissed it.
bool drawBoxFrame(const char* caption, const char* text)
{
    beginUiFrame();
    if (!ImGui::IsPopupOpen(caption))
        ImGui::OpenPopup(caption);
    bool dismissed = false;
    ImGui::SetNextWindowPos(ImGui::GetMainViewport()->GetCenter(), ImGuiCond_Always, ImVec2(0.5f, 0.5f));
    if (ImGui::BeginPopupModal(caption, nullptr, ImGuiWindowFlags_AlwaysAutoResize | ImGuiWindowFlags_NoMove)) {
        drawExclamationSign(ImGui::GetFontSize() * 2.0f);
        ImGui::SameLine();
        ImGui::TextUnformatted(text);
        ImGui::Spacing();
        dismissed = ImGui::Button("OK", ImVec2(ImGui::GetFontSize() * 6.0f, 0.0f)) ||
                    ImGui::IsKeyPressed(ImGuiKey_Enter) || ImGui::IsKeyPressed(ImGuiKey_KeypadEnter) ||
                    ImGui::IsKeyPressed(ImGuiKey_Escape);
        if (dismissed)
            ImGui::CloseCurrentPopup();
        ImGui::EndPopup();
    }
    int width = 0, height = 0;
    glfwGetFramebufferSize(glfwGetCurrentContext(), &width, &height);
    glViewport(0, 0, width, height);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    renderUiFrame();
    return dismissed;
}
}

void showWarningBox(GLFWwindow* window, const char* caption, const char* text)
{
    fprintf(stderr, "%s: %s\n", caption, text);
    int cursorMode = glfwGetInputMode(window, GLFW_CURSOR);
    glfwSetInputMode(window, GLFW_CURSOR, GLFW_CURSOR_NORMAL);
    setEscapeQuits(false);
    bool dismissed = false;
    while (!dismissed && !glfwWindowShouldClose(window)) {
        glfwWaitEventsTimeout(0.05);
        dismissed = drawBoxFrame(caption, text);
        glfwSwapBuffers(window);
    }
    setEscapeQuits(true);
    glfwSetInputMode(window, GLFW_CURSOR, cursorMode);
}
