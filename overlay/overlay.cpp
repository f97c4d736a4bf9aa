// overlay/overlay.cpp
// Each caption is a borderless, input-free window pinned by its top-right corner.
#include "overlay/overlay.h"

#include <imgui.h>

#include "overlay/captionPlan.h"

void drawCaptions(const CaptionPlan& plan)
{
    if (plan.captions.empty())
        return;
    ImGui::PushStyleVar(ImGuiStyleVar_WindowPadding, ImVec2(0.0f, 0.0f));
    ImGui::PushStyleVar(ImGuiStyleVar_WindowMinSize, ImVec2(0.0f, 0.0f));
    ImFont* font = ImGui::GetIO().Fonts->Fonts[0];
    const ImGuiWindowFlags flags = ImGuiWindowFlags_NoTitleBar | ImGuiWindowFlags_NoResize |
        ImGuiWindowFlags_NoScrollbar | ImGuiWindowFlags_NoCollapse | ImGuiWindowFlags_AlwaysAutoResize |
        ImGuiWindowFlags_NoBackground | ImGuiWindowFlags_NoMouseInputs | ImGuiWindowFlags_NoNav;
    for (const PlacedCaption& caption : plan.captions) {
        ImGui::SetNextWindowPos(ImVec2(caption.x, caption.y), ImGuiCond_Always, ImVec2(1.0f, 0.0f));
        ImGui::Begin(caption.windowName.c_str(), nullptr, flags);
        ImGui::PushFont(font, font->LegacySize);
        ImGui::SetWindowFontScale(plan.textScale);
        ImGui::TextColored(ImVec4(1.0f, 1.0f, 1.0f, caption.alpha), "%s", caption.text.c_str());
        ImGui::SetWindowFontScale(1.0f);
        ImGui::PopFont();
        ImGui::End();
    }
    ImGui::PopStyleVar(2);
}
