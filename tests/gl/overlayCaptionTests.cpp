// tests/gl/overlayCaptionTests.cpp
// The overlay pass draws each live caption into the window's framebuffer at its place and translucency.
#include <gtest/gtest.h>

#include "app/demoApp.h"
#include "app/pngWriter.h"
#include "glTestContext.h"
#include "gpu/giState.h"
#include "gpu/rayBudget.h"
#include "overlay/captionMetrics.h"
#include "overlay/overlay.h"
#include "sequencer/demoClock.h"
#include "sequencer/labels.h"

#include <GLFW/glfw3.h>
#include <imgui.h>
#include <imgui_impl_glfw.h>
#include <imgui_impl_opengl2.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {
constexpr int width = 1920;
constexpr int height = 1080;

struct CaptionPixels {
    int minX = width, maxX = -1, minY = height, maxY = -1;
    int brightest = 0;
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
        restoreSharedDefaults();
        clock.now = 20.0;
        clock.install();
        labelLog.clear();
    }

    void TearDown() override
    {
        ImGui_ImplOpenGL2_Shutdown();
        ImGui_ImplGlfw_Shutdown();
        ImGui::DestroyContext();
        glfwSetWindowSize(window, savedWidth, savedHeight);
        glfwSwapBuffers(window);
        labelLog.clear();
        setDemoClockSource({});
        restoreSharedDefaults();
    }

    // A caption window appears one frame after it is first submitted, so several frames are drawn.
    CaptionPixels drawAndRead(const char* pngName = nullptr, int frames = 3)
    {
        for (int frame = 0; frame < frames; ++frame) {
            glViewport(0, 0, width, height);
            glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
            glClear(GL_COLOR_BUFFER_BIT);
            overlayPass(width, height);
        }
        std::vector<uint8_t> bottomUp((size_t)width * height * 4);
        glReadBuffer(GL_BACK);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, bottomUp.data());
        CaptionPixels found;
        bool previousRowLit = false;
        for (int y = 0; y < height; ++y) {
            const uint8_t* row = &bottomUp[(size_t)(height - 1 - y) * width * 4];
            bool rowLit = false;
            for (int x = 0; x < width; ++x) {
                int red = row[x * 4];
                found.brightest = std::max(found.brightest, red);
                if (red > 4) {
                    rowLit = true;
                    found.minX = std::min(found.minX, x);
                    found.maxX = std::max(found.maxX, x);
                    found.minY = std::min(found.minY, y);
                    found.maxY = std::max(found.maxY, y);
                }
            }
            if (rowLit && !previousRowLit)
                found.rowTops.push_back(y);
            previousRowLit = rowLit;
        }
        if (pngName) {
            std::vector<uint8_t> topDown(bottomUp.size());
            for (int y = 0; y < height; ++y)
                std::copy_n(&bottomUp[(size_t)(height - 1 - y) * width * 4], width * 4, &topDown[(size_t)y * width * 4]);
            writePng(testOutputPath(pngName).c_str(), width, height, topDown.data());
        }
        return found;
    }

    void showAged(const char* text, float ageSec) { labelLog.push_back({text, (float)clock.now - ageSec}); }

    // The same sizes the overlay derives, from the default font at its own size.
    float fontSize() const { return ImGui::GetIO().Fonts->Fonts[0]->LegacySize * ImGui::GetStyle().FontScaleMain; }
    float textScale() const { return std::max(0.125f, width * 0.125f / (fontSize() * 0.55f * 15.0f)); }
    float lineHeight() const { return fontSize() * textScale() * 1.4f; }
    float expectedTop(float ageSec) const { return 0.44f * height - lineHeight() + ageSec * lineHeight(); }
    float expectedRight() const { return width - 2.0f * fontSize() * textScale() * 0.55f; }

    ManualClock clock;
    GLFWwindow* window = nullptr;
    int savedWidth = 0;
    int savedHeight = 0;
};
}

TEST_F(OverlayCaptions, CaptionSitsLeftOfTheMarginAndFadesWithItsAge)
{
    int framebufferWidth = 0, framebufferHeight = 0;
    glfwGetFramebufferSize(window, &framebufferWidth, &framebufferHeight);
    ASSERT_EQ(framebufferWidth, width);
    ASSERT_EQ(framebufferHeight, height);

    const float ages[] = {0.25f, 1.5f, 4.0f};
    for (float age : ages) {
        labelLog.clear();
        showAged("HHHH", age);
        CaptionPixels found = drawAndRead(age == 1.5f ? "overlayCaption.png" : nullptr);
        ASSERT_GE(found.maxX, 0) << "age " << age << ": nothing drawn";
        float opacity = age < 0.5f ? 2.0f * age : (age < 2.5f ? 1.0f : 1.0f - (age - 2.5f) / 3.0f);
        EXPECT_NEAR(found.brightest, 255.0f * 0.25f * opacity, 2.0f) << "age " << age;
        EXPECT_LE(found.maxX, expectedRight()) << "age " << age;
        EXPECT_GE(found.maxX, expectedRight() - fontSize() * textScale()) << "age " << age;
        EXPECT_GE(found.minY, expectedTop(age) - 1.0f) << "age " << age;
        EXPECT_LE(found.minY, expectedTop(age) + 0.5f * lineHeight()) << "age " << age;
        EXPECT_LE(found.maxY - found.minY, lineHeight()) << "age " << age;
    }
    EXPECT_FLOAT_EQ(uiTextScale, textScale());

    labelLog.clear();
    showAged("HHHH", 5.5f);
    EXPECT_EQ(drawAndRead().brightest, 0) << "gone at 5.5 s";
    EXPECT_TRUE(takeGlErrors().empty());
}

TEST_F(OverlayCaptions, EntriesOneSecondApartAreOneLineApart)
{
    showAged("HHHH", 2.0f);
    showAged("HHHH", 1.0f);
    CaptionPixels found = drawAndRead("overlayTwoCaptions.png");
    ASSERT_EQ(found.rowTops.size(), 2u);
    EXPECT_NEAR(found.rowTops[1] - found.rowTops[0], lineHeight(), 1.0f);
    EXPECT_TRUE(takeGlErrors().empty());
}

TEST_F(OverlayCaptions, EntriesShownAtTheSameMomentEachKeepTheirOwnWindow)
{
    // Sharing a window would stack the second text a line below the first.
    showAged("HHHH", 1.0f);
    showAged("IIII", 1.0f);
    CaptionPixels found = drawAndRead();
    ASSERT_EQ(found.rowTops.size(), 1u);
    EXPECT_GE(found.minY, expectedTop(1.0f) - 1.0f);
    EXPECT_LE(found.maxY - found.minY, lineHeight());
    EXPECT_TRUE(takeGlErrors().empty());
}

TEST_F(OverlayCaptions, CaptionsStayVisibleWhenOlderEntriesLeaveTheLog)
{
    showAged("gone", 9.0f);
    showAged("HHHH", 1.0f);
    ASSERT_GT(drawAndRead().brightest, 0);
    labelLog.erase(labelLog.begin());
    EXPECT_GT(drawAndRead(nullptr, 1).brightest, 0) << "a renamed window would be hidden for a frame";
    EXPECT_TRUE(takeGlErrors().empty());
}

TEST_F(OverlayCaptions, EmptyLogStillStepsTheRayBudgetAndRendersTheFrame)
{
    gpuFillMs = 6.0f;
    gpuGiMs = 14.0f;
    gpuRenderMs = 4.0f;
    const float raysBefore = adaptiveRays;
    const int framesBefore = ImGui::GetFrameCount();
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    overlayPass(width, height);
    EXPECT_EQ(ImGui::GetFrameCount(), framesBefore + 1);
    EXPECT_TRUE(ImGui::GetDrawData()->Valid);
    EXPECT_FLOAT_EQ(adaptiveRays, stepRayBudget(raysBefore, 24.0f));
    EXPECT_LT(adaptiveRays, raysBefore) << "24 ms is over the budget";
    EXPECT_TRUE(takeGlErrors().empty());
}
