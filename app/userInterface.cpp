// app/userInterface.cpp
// The font comes from a file beside the demo; without it a warning box says so and the built-in font serves.
#include "app/userInterface.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "app/contentFiles.h"
#include "app/demoApp.h"
#include "app/fontFile.h"
#include "app/messageBox.h"
#include "imgui.h"
#include "imgui_impl_glfw.h"
#include "imgui_impl_opengl2.h"
#include "platform/debugLog.h"

namespace {
float globalFontScale()
{
    float x = 1.0f, y = 1.0f;
    if (GLFWmonitor* monitor = glfwGetPrimaryMonitor())
        glfwGetMonitorContentScale(monitor, &x, &y);
    return std::max(1.0f, std::max(x, y));
}
}

bool setUpUserInterface(const AppOptions& options, const ContentFile& font, bool fontWarningShown)
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
    ImGui_ImplGlfw_InitForOpenGL(appWindow(), true);
    ImGui_ImplOpenGL2_Init();

    if (font.path.empty()) {
        if (fontWarningShown)
            return true;
        if (options.visible)
            showWarningBox(appWindow(), "Missing font", font.missing.c_str());
        else  // nobody could dismiss a box in a hidden window
            fprintf(stderr, "Missing font: %s\n", font.missing.c_str());
        return true;
    }
    std::vector<unsigned char> fontData;
    if (!loadUsableFont(font.path.c_str(), fontData)) {
        debugLog("%s is not a usable font; the built-in font serves\n", font.path.c_str());
        return true;
    }
    void* atlasCopy = IM_ALLOC(fontData.size());
    memcpy(atlasCopy, fontData.data(), fontData.size());
    io.Fonts->AddFontFromMemoryTTF(atlasCopy, (int)fontData.size(), 96.0f);
    return true;
}

float captionFontSize()
{
    beginUiFrame();
    float size = ImGui::GetFontSize();
    ImGui::EndFrame();
    return size;
}

void beginUiFrame()
{
    ImGui_ImplOpenGL2_NewFrame();
    ImGui_ImplGlfw_NewFrame();
    ImGui::NewFrame();
}

void renderUiFrame()
{
    ImGui::Render();
    ImGui_ImplOpenGL2_RenderDrawData(ImGui::GetDrawData());
}

void shutDownUserInterface()
{
    ImGui_ImplOpenGL2_Shutdown();
    ImGui_ImplGlfw_Shutdown();
    ImGui::DestroyContext();
}
