// tests/cpu/viewLayoutTests.cpp
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "gpu/viewLayouts.h"

namespace {
using Rect = std::array<float, 4>;

ViewSetup setupFor(int width, int height)
{
    ViewSetup setup{};
    setup.mainBasis = buildCameraBasis(0.3f, 0.2f, 1.2f);
    for (int k = 0; k < maxViews; ++k) {
        setup.yaws[k] = 0.7f * k + 0.1f;
        setup.pitches[k] = 0.1f * k - 0.4f;
    }
    setup.viewDistance = 1.3f;
    setup.volSize = 128;
    setup.width = width;
    setup.height = height;
    setup.gamma = 2.2f;
    return setup;
}

Rect rectOf(const ViewsUBO& block, int k)
{
    const float* r = block.views[k].rect;
    return {r[0], r[1], r[2], r[3]};
}

bool overlaps(const Rect& a, const Rect& b)
{
    return a[0] < b[0] + b[2] && b[0] < a[0] + a[2] && a[1] < b[1] + b[3] && b[1] < a[1] + a[3];
}

// Which camera each view of a layout uses: -1 is the main camera, k >= 0 the k-th orbit camera.
std::vector<int> camerasOf(int layout)
{
    switch (layout) {
    case 0: return {-1};
    case 1: return {-1, 0, 1, 2, 3};
    case 2: return {0, 1, 2, 3};
    case 3: return {0, 1, 2, 3, 4, 5};
    case 4: return {-1, 1};
    case 5: return {-1, 0, 1};
    default: return {0, 1, 2, 3, 4, 5, 6, 7, 8};
    }
}
}

TEST(ViewLayouts, FullHdRectanglesMatchTheLayoutTable)
{
    ViewSetup setup = setupFor(1920, 1080);
    ViewsUBO single = buildViews(setup, 0);
    ASSERT_EQ(single.numViews, 1);
    EXPECT_EQ(rectOf(single, 0), (Rect{0, 0, 1920, 1080}));

    ViewsUBO sides = buildViews(setup, 1);
    ASSERT_EQ(sides.numViews, 5);
    EXPECT_EQ(rectOf(sides, 0), (Rect{480, 0, 960, 1080}));
    EXPECT_EQ(rectOf(sides, 1), (Rect{0, 72, 480, 432}));
    EXPECT_EQ(rectOf(sides, 2), (Rect{1440, 72, 480, 432}));
    EXPECT_EQ(rectOf(sides, 3), (Rect{0, 576, 480, 432}));
    EXPECT_EQ(rectOf(sides, 4), (Rect{1440, 576, 480, 432}));

    ViewsUBO six = buildViews(setup, 3);
    ASSERT_EQ(six.numViews, 6);
    const float xs[3] = {99, 706, 1313};
    for (int k = 0; k < 6; ++k)
        EXPECT_EQ(rectOf(six, k), (Rect{xs[k % 3], k < 3 ? 21.0f : 550.0f, 508, 508})) << "view " << k;

    for (int layout : {6, 9, -1}) {
        ViewsUBO grid = buildViews(setup, layout);
        ASSERT_EQ(grid.numViews, 9);
        const float gx[3] = {226, 790, 1354};
        const float gy[3] = {16, 370, 724};
        for (int k = 0; k < 9; ++k)
            EXPECT_EQ(rectOf(grid, k), (Rect{gx[k % 3], gy[k / 3], 338, 338})) << "view " << k;
    }
}

TEST(ViewLayouts, EveryLayoutFitsTheFramebufferWithoutOverlaps)
{
    const int sizes[][2] = {{1280, 720}, {2560, 1440}, {1366, 768}, {1920, 1080}};
    for (auto [width, height] : sizes) {
        ViewSetup setup = setupFor(width, height);
        for (int layout = 0; layout <= 6; ++layout) {
            ViewsUBO block = buildViews(setup, layout);
            std::vector<int> cameras = camerasOf(layout);
            ASSERT_EQ(block.numViews, (int)cameras.size());
            EXPECT_EQ(block.volSize, 128);
            EXPECT_EQ(block.renderMode, 0);
            for (int k = 0; k < block.numViews; ++k) {
                SCOPED_TRACE(testing::Message() << width << "x" << height << " layout " << layout << " view " << k);
                Rect r = rectOf(block, k);
                EXPECT_GE(r[0], 0.0f);
                EXPECT_GE(r[1], 0.0f);
                EXPECT_GT(r[2], 0.0f);
                EXPECT_GT(r[3], 0.0f);
                EXPECT_LE(r[0] + r[2], (float)width);
                EXPECT_LE(r[1] + r[3], (float)height);
                for (int other = 0; other < k; ++other)
                    EXPECT_FALSE(overlaps(r, rectOf(block, other))) << "overlaps view " << other;
                const ViewParams& view = block.views[k];
                EXPECT_FLOAT_EQ(view.fov, 1.0471976f);
                EXPECT_FLOAT_EQ(view.gamma, 2.2f);
                CameraBasis expected = cameras[k] < 0 ? setup.mainBasis
                                                      : buildCameraBasis(setup.yaws[cameras[k]],
                                                                         setup.pitches[cameras[k]], setup.viewDistance);
                EXPECT_FLOAT_EQ(view.pos[0], expected.pos.x);
                EXPECT_FLOAT_EQ(view.pos[1], expected.pos.y);
                EXPECT_FLOAT_EQ(view.pos[2], expected.pos.z);
                EXPECT_FLOAT_EQ(view.fwd[2], expected.fwd.z);
                EXPECT_FLOAT_EQ(view.up[1], expected.up.y);
                if (layout != 5) {
                    EXPECT_EQ(view.virtualW, 0.0f);
                    EXPECT_EQ(view.cropX, 0.0f);
                }
            }
        }
    }
}

TEST(ViewLayouts, SidePanelsContinueTheCentreFrame)
{
    ViewsUBO block = buildViews(setupFor(1920, 1080), 5);
    ASSERT_EQ(block.numViews, 3);
    const ViewParams& centre = block.views[0];
    const ViewParams& left = block.views[1];
    const ViewParams& right = block.views[2];
    EXPECT_EQ(rectOf(block, 0), (Rect{384, 0, 1152, 1080}));
    EXPECT_EQ(left.virtualW, centre.rect[2]);
    EXPECT_EQ(right.virtualW, centre.rect[2]);
    // The left panel shows the right end of its virtual frame, the right panel the left end.
    EXPECT_EQ(left.cropX + left.rect[2], left.virtualW);
    EXPECT_EQ(right.cropX, 0.0f);
}
