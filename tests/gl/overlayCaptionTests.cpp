// tests/gl/overlayCaptionTests.cpp
// The overlay pass draws each live caption into the window's framebuffer at its place and translucency.
#include <gtest/gtest.h>

#include "app/userInterface.h"
#include "overlay/captionPlan.h"
#include "overlay/overlay.h"
#include "sequencer/labels.h"
#include "volumeTestSupport.h"

#include <GLFW/glfw3.h>
#include <imgui.h>
#include <imgui_impl_glfw.h>
#include <imgui_impl_opengl2.h>

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

namespace {
constexpr int width = 1920;
constexpr int height = 1080;

struct CaptionPixels {
    int minX = width, maxX = -1, maxY = -1, brightest = 0;
    std::vector<int> rowTops;  // first row of each band of lit rows, top to bottom
};

class OverlayCaptions : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = glfwGetCurrentContext();
        glfwGetWindowSize(window, &savedWidth, &savedHeight);
        glfwSetWindowSize(window, width, height);
        // The software rasteriser picks up the new window size at the next buffer swap.
        glfwSwapBuffers(window);
        ImGui::CreateContext();
        ImGui::GetIO().IniFilename = nullptr;
        ImGui::GetIO().Fonts->AddFontDefault();
        ImGui_ImplGlfw_InitForOpenGL(window, false);
        ImGui_ImplOpenGL2_Init();
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    }
    void TearDown() override
    {
        ImGui_ImplOpenGL2_Shutdown();
        ImGui_ImplGlfw_Shutdown();
        ImGui::DestroyContext();
        glfwSetWindowSize(window, savedWidth, savedHeight);
        glfwSwapBuffers(window);
    }

    // One user-interface frame with the captions of the label log, as the frame's GPU half draws it.
    void overlayFrame()
    {
        beginUiFrame();
        drawCaptions(planCaptions(labels.labelLog, now, ImGui::GetFontSize(), width, height));
        renderUiFrame();
    }

    // A caption window appears one frame after it is first submitted, so several frames are drawn.
    CaptionPixels drawAndRead(int frames = 3)
    {
        for (int frame = 0; frame < frames; ++frame) {
            glClear(GL_COLOR_BUFFER_BIT);
            overlayFrame();
        }
        std::vector<uint8_t> red((size_t)width * height);
            glReadBuffer(GL_BACK);
        glReadPixels(0, 0, width, height, GL_RED, GL_UNSIGNED_BYTE, red.data());
        CaptionPixels found;
        for (int y = 0; y < height; ++y)  // y counts down from the top
            for (int x = 0; x < width; ++x) {
                int value = red[(size_t)(height - 1 - y) * width + x];
                found.brightest = std::max(found.brightest, value);
                if (value <= 4)
                    continue;
                if (found.rowTops.empty() || found.maxY < y - 1)
                    found.rowTops.push_back(y);
                found.minX = std::min(found.minX, x);
                found.maxX = std::max(found.maxX, x);
                found.maxY = y;
            }
        return found;
    }

    void showAged(const char* text, float ageSec) { labels.labelLog.push_back({text, (float)now - ageSec}); }
    CaptionPixels captionAged(const char* text, float ageSec)
    {
        labels.labelLog.clear();
        showAged(text, ageSec);
        return drawAndRead();
    }
    GLFWwindow* window = nullptr;
    int savedWidth = 0, savedHeight = 0;
    LabelState labels;
    double now = 20.0;
};
}

TEST_F(OverlayCaptions, CaptionSitsLeftOfTheMarginFadesWithItsAgeAndKeepsItsOwnWindowAndAnEmptyLogEndsTheFrame)
{
    const int framesBefore = ImGui::GetFrameCount();
    overlayFrame();
    EXPECT_TRUE(ImGui::GetFrameCount() == framesBefore + 1 && ImGui::GetDrawData()->Valid);

    // Fifteen characters of the monospaced default font span an eighth of the width; a caption ends two of them
    // short of the right edge.
    CaptionPixels wide = captionAged("HHHHHHHHHHHHHHH", 1.5f), narrow = captionAged("H", 1.5f);
    const float charWidth = ((wide.maxX - wide.minX) - (narrow.maxX - narrow.minX)) / 14.0f;
    EXPECT_NEAR(15 * charWidth, width / 8.0f, width / 240.0f);
    EXPECT_EQ(wide.maxX, narrow.maxX) << "right-aligned";
    EXPECT_TRUE(wide.maxX <= width - 2 * charWidth && wide.maxX >= width - 3 * charWidth) << wide.maxX;

    // It fades in over half a second and out from 2.5 s to 5.5 s, at a quarter of full white, and sinks one line a
    // second from a line above 44 % of the height.
    const struct { float ageSec, opacity; } cases[] = {{0.25f, 0.5f}, {1.5f, 1.0f}, {4.0f, 0.5f}, {5.5f, 0.0f}};
    std::vector<int> tops;
    for (const auto& c : cases) {
        CaptionPixels found = captionAged("HHHH", c.ageSec);
        ASSERT_EQ(found.rowTops.empty(), c.opacity == 0.0f) << c.ageSec;
        EXPECT_NEAR(found.brightest, 255.0f * 0.25f * c.opacity, 2.0f) << c.ageSec;
        if (!found.rowTops.empty())
            tops.push_back(found.rowTops[0]);
    }
    ASSERT_EQ(tops.size(), 3u);
    const float lineHeight = (tops[1] - tops[0]) / 1.25f;
    EXPECT_NEAR(tops[2] - tops[1], 2.5f * lineHeight, 1.5f);
    EXPECT_TRUE(lineHeight > 1.2f * charWidth / 0.55f && lineHeight < 1.6f * charWidth / 0.55f) << lineHeight;
    EXPECT_TRUE(tops[0] >= 0.44f * height - 0.75f * lineHeight - 1 && tops[0] <= 0.44f * height) << tops[0];
    EXPECT_TRUE(takeGlErrors().empty());

    labels.labelLog.clear();
    // Sharing a window would stack the second text a line below the first.
    for (auto [text, ageSec] : {std::pair{"gone", 9.0f}, {"gone", 9.0f}, {"HHHH", 1.0f}, {"IIII", 1.0f}})
        showAged(text, ageSec);
    CaptionPixels found = drawAndRead();
    ASSERT_EQ(found.rowTops.size(), 1u);
    EXPECT_LE(found.maxY - found.rowTops[0], lineHeight);
    // Named by position in the log, the captions would be hidden for a frame when older entries leave it.
    labels.labelLog.erase(labels.labelLog.begin(), labels.labelLog.begin() + 2);
    EXPECT_GT(drawAndRead(1).brightest, 0);
    EXPECT_TRUE(takeGlErrors().empty());
}
