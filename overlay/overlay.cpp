// overlay/overlay.cpp
// One user-interface frame per displayed frame, drawing the label log as fading captions.
#include "overlay/overlay.h"

#include "overlay/captionMetrics.h"
#include "sequencer/demoClock.h"
#include "sequencer/labels.h"

#include <imgui.h>
#include <imgui_impl_glfw.h>
#include <imgui_impl_opengl2.h>

#include <cstdio>
#include <cstring>

namespace {
int metricsWidth = 0;

void formatTime(char (&text)[32], float shown)
{
    snprintf(text, sizeof(text), "%.3f", shown);
}

// Window names come from the entry time; entries shown at the same moment are told apart by how many
// earlier entries share their name, so a caption keeps its window when older entries leave the log.
void formatCaptionName(char (&name)[32], size_t index)
{
    char mine[32];
    char other[32];
    formatTime(mine, labelLog[index].shown);
    int sameBefore = 0;
    for (size_t i = 0; i < index; ++i) {
        formatTime(other, labelLog[i].shown);
        if (strcmp(mine, other) == 0)
            ++sameBefore;
    }
    snprintf(name, sizeof(name), "##ovl%.3f_%d", labelLog[index].shown, sameBefore);
}

void drawCaptions(int framebufferWidth, int framebufferHeight)
{
    ImGui::PushStyleVar(ImGuiStyleVar_WindowPadding, ImVec2(0.0f, 0.0f));
    ImGui::PushStyleVar(ImGuiStyleVar_WindowMinSize, ImVec2(0.0f, 0.0f));
    float fontSize = ImGui::GetFontSize();
    if (framebufferWidth != metricsWidth) {
        metricsWidth = framebufferWidth;
        computeCaptionMetrics(fontSize, framebufferWidth);
    }
    float margin = 2.0f * fontSize * uiTextScale * 0.55f;
    ImFont* font = ImGui::GetIO().Fonts->Fonts[0];
    const ImGuiWindowFlags flags = ImGuiWindowFlags_NoTitleBar | ImGuiWindowFlags_NoResize |
        ImGuiWindowFlags_NoScrollbar | ImGuiWindowFlags_NoCollapse | ImGuiWindowFlags_AlwaysAutoResize |
        ImGuiWindowFlags_NoBackground | ImGuiWindowFlags_NoMouseInputs | ImGuiWindowFlags_NoNav;
    float now = (float)demoClock();
    for (size_t i = 0; i < labelLog.size(); ++i) {
        const LabelEntry& entry = labelLog[i];
        float age = now - entry.shown;
        float opacity = captionOpacity(age);
        if (opacity < 0.0f)
            continue;
        float x = (float)framebufferWidth - margin;
        float y = captionY(age, framebufferHeight, fontSize);
        ImGui::SetNextWindowPos(ImVec2(x, y), ImGuiCond_Always, ImVec2(1.0f, 0.0f));
        char name[32];
        formatCaptionName(name, i);
        ImGui::Begin(name, nullptr, flags);
        ImGui::PushFont(font, font->LegacySize);
        ImGui::SetWindowFontScale(uiTextScale);
        ImGui::TextColored(ImVec4(1.0f, 1.0f, 1.0f, 0.25f * opacity), "%s", entry.text.c_str());
        ImGui::SetWindowFontScale(1.0f);
        ImGui::PopFont();
        ImGui::End();
    }
    ImGui::PopStyleVar(2);
}
}

void overlayPass(int framebufferWidth, int framebufferHeight)
{
    ImGui_ImplOpenGL2_NewFrame();
    ImGui_ImplGlfw_NewFrame();
    ImGui::NewFrame();
    if (!labelLog.empty())
        drawCaptions(framebufferWidth, framebufferHeight);
    ImGui::Render();
    ImGui_ImplOpenGL2_RenderDrawData(ImGui::GetDrawData());
}
