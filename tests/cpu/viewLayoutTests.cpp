// tests/cpu/viewLayoutTests.cpp
// The view rectangles and cameras of every layout.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <utility>

#include "gpu/viewLayouts.h"

namespace {
using Rect = std::array<float, 4>;

ViewSetup setupFor(int width, int height)
{
    ViewSetup setup{.mainBasis = buildCameraBasis(0.3f, 0.2f, 1.2f), .yaws = {}, .pitches = {}, .viewDistance = 1.3f,
                    .volSize = 128, .width = width, .height = height, .gamma = 2.2f, .refraction = false,
                    .hihatPulse = 0.0f};
    for (int k = 0; k < maxViews; ++k) {
        setup.yaws[k] = 0.7f * k + 0.1f;
        setup.pitches[k] = 0.1f * k - 0.4f;
    }
    return setup;
}

Rect rectOf(const ViewsUBO& block, int k)
{
    const float* r = block.views[k].rect;
    return {r[0], r[1], r[2], r[3]};
}
}

TEST(ViewLayouts, FullHdRectanglesMatchTheLayoutTable)
{
    ViewSetup setup = setupFor(1920, 1080);
    const Rect single = {0, 0, 1920, 1080}, sides[5] = {{480, 0, 960, 1080}, {0, 72, 480, 432}, {1440, 72, 480, 432},
                                                        {0, 576, 480, 432}, {1440, 576, 480, 432}};
    EXPECT_EQ(rectOf(buildViews(setup, 0), 0), single);
    for (int k = 0; k < 5; ++k)
        EXPECT_EQ(rectOf(buildViews(setup, 1), k), sides[k]) << "view " << k;
    for (int k = 0; k < 6; ++k)
        EXPECT_EQ(rectOf(buildViews(setup, 3), k), (Rect{99.0f + 607 * (k % 3), 21.0f + 529 * (k / 3), 508, 508})) << k;
    // Every layout number past the table is the nine-grid.
    for (int layout : {6, 9, -1}) {
        ViewsUBO grid = buildViews(setup, layout);
        ASSERT_EQ(grid.numViews, 9);
        for (int k = 0; k < 9; ++k)
            EXPECT_EQ(rectOf(grid, k), (Rect{226.0f + 564 * (k % 3), 16.0f + 354 * (k / 3), 338, 338})) << layout;
    }
    // The side panels crop virtual views as wide as the centre: the left one shows the right end of its frame.
    ViewsUBO panels = buildViews(setup, 5);
    const ViewParams &left = panels.views[1], &right = panels.views[2];
    EXPECT_EQ(rectOf(panels, 0), (Rect{384, 0, 1152, 1080}));
    EXPECT_TRUE(left.virtualW == 1152.0f && left.cropX + left.rect[2] == left.virtualW);
    EXPECT_TRUE(right.virtualW == 1152.0f && right.cropX == 0.0f);
}

TEST(ViewLayouts, EveryLayoutFitsTheFramebufferWithoutOverlapsAndUsesItsCameras)
{
    // Per layout, the camera of each view: 'm' the main one, a digit k the k-th orbit camera.
    const char* cameras[7] = {"m", "m0123", "0123", "012345", "m1", "m01", "012345678"};
    for (auto [width, height] : {std::pair{1280, 720}, {2560, 1440}, {1366, 768}, {1920, 1080}}) {
        ViewSetup setup = setupFor(width, height);
        for (int layout = 0; layout <= 6; ++layout) {
            ViewsUBO block = buildViews(setup, layout);
            ASSERT_EQ(block.numViews, (int)std::strlen(cameras[layout]));
            for (int k = 0; k < block.numViews; ++k) {
                SCOPED_TRACE(testing::Message() << width << "x" << height << " layout " << layout << " view " << k);
                Rect r = rectOf(block, k);
                EXPECT_TRUE(r[0] >= 0 && r[1] >= 0 && r[2] > 0 && r[3] > 0 && r[0] + r[2] <= width &&
                            r[1] + r[3] <= height);
                for (int o = 0; o < k; ++o) {
                    Rect b = rectOf(block, o);
                    EXPECT_FALSE(r[0] < b[0] + b[2] && b[0] < r[0] + r[2] && r[1] < b[1] + b[3] && b[1] < r[1] + r[3])
                        << "overlaps view " << o;
                }
                const ViewParams& view = block.views[k];
                int orbit = cameras[layout][k] == 'm' ? -1 : cameras[layout][k] - '0';
                CameraBasis expected = orbit < 0 ? setup.mainBasis
                                                 : buildCameraBasis(setup.yaws[orbit], setup.pitches[orbit], 1.3f);
                EXPECT_TRUE(view.pos[0] == expected.pos.x && view.pos[1] == expected.pos.y &&
                            view.pos[2] == expected.pos.z);
                // Only the side-panel layout crops virtual views.
                EXPECT_TRUE(layout == 5 || (view.virtualW == 0.0f && view.cropX == 0.0f));
            }
        }
    }
}
