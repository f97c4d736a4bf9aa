// gpu/viewLayouts.cpp
// Splits the framebuffer into the views of each layout and fills the renderer's view block.
#include "gpu/viewLayouts.h"

#include <algorithm>

namespace {
constexpr float viewFov = 1.0471976f;  // 60 degrees vertical

void setVec3(float out[3], Vec3 v)
{
    out[0] = v.x;
    out[1] = v.y;
    out[2] = v.z;
}

// Sizes are integers computed with truncation and only then stored as floats.
void setView(ViewsUBO& block, int index, int x, int y, int width, int height, const CameraBasis& camera,
             float gamma)
{
    ViewParams& view = block.views[index];
    view.rect[0] = (float)x;
    view.rect[1] = (float)y;
    view.rect[2] = (float)width;
    view.rect[3] = (float)height;
    setVec3(view.pos, camera.pos);
    setVec3(view.fwd, camera.fwd);
    setVec3(view.right, camera.right);
    setVec3(view.up, camera.up);
    view.fov = viewFov;
    view.gamma = gamma;
}
}

ViewsUBO buildViews(const ViewSetup& setup, int layout)
{
    ViewsUBO block{};
    block.volSize = setup.volSize;
    block.renderMode = 0;
    block.refractionEnabled = setup.refraction ? 1 : 0;
    block.hihatPulse = setup.hihatPulse;

    CameraBasis cameras[maxViews];
    for (int k = 0; k < maxViews; ++k)
        cameras[k] = buildCameraBasis(setup.yaws[k], setup.pitches[k], setup.viewDistance);
    const CameraBasis& main = setup.mainBasis;
    const int W = setup.width;
    const int H = setup.height;
    const float gamma = setup.gamma;

    switch (layout) {
    case 0:
        block.numViews = 1;
        setView(block, 0, 0, 0, W, H, main, gamma);
        break;
    case 1: {
        int p = (int)(0.25f * W);
        int q = (int)(0.4f * H);
        int g = (H - 2 * q) / 3;
        block.numViews = 5;
        setView(block, 0, p, 0, W - 2 * p, H, main, gamma);
        setView(block, 1, 0, g, p, q, cameras[0], gamma);
        setView(block, 2, W - p, g, p, q, cameras[1], gamma);
        setView(block, 3, 0, q + 2 * g, p, q, cameras[2], gamma);
        setView(block, 4, W - p, q + 2 * g, p, q, cameras[3], gamma);
        break;
    }
    case 2: {
        int m = (int)(0.02f * H);
        int c = (H - 3 * m) / 2;
        int gx = (W - 2 * c) / 3;
        block.numViews = 4;
        setView(block, 0, gx, m, c, c, cameras[0], gamma);
        setView(block, 1, c + 2 * gx, m, c, c, cameras[1], gamma);
        setView(block, 2, gx, c + 2 * m, c, c, cameras[2], gamma);
        setView(block, 3, c + 2 * gx, c + 2 * m, c, c, cameras[3], gamma);
        break;
    }
    case 3: {
        int m = (int)(0.02f * H);
        int c = (H - 3 * m) / 2;
        int g = (int)(0.015f * W);
        int wc = std::min((W - 4 * g) / 3, c);
        int gx = (W - 3 * wc) / 4;
        block.numViews = 6;
        for (int k = 0; k < 6; ++k) {
            int column = k % 3;
            int y = k < 3 ? m : c + 2 * m;
            setView(block, k, column * wc + (column + 1) * gx, y, wc, c, cameras[k], gamma);
        }
        break;
    }
    case 4: {
        int m = (int)(0.02f * H);
        int g = (int)(0.015f * W);
        int s = std::min(H - 2 * m, (W - 3 * g) / 2);
        int gx = (W - 2 * s) / 3;
        block.numViews = 2;
        setView(block, 0, gx, m, s, H - 2 * m, main, gamma);
        setView(block, 1, s + 2 * gx, m, s, H - 2 * m, cameras[1], gamma);
        break;
    }
    case 5: {
        // The side panels are crops of virtual views as wide as the centre one, so they continue its frame.
        int p = (int)(0.2f * W);
        block.numViews = 3;
        setView(block, 0, p, 0, W - 2 * p, H, main, gamma);
        setView(block, 1, 0, 0, p, H, cameras[0], gamma);
        block.views[1].virtualW = (float)(W - 2 * p);
        block.views[1].cropX = (float)(W - 3 * p);
        setView(block, 2, W - p, 0, p, H, cameras[1], gamma);
        block.views[2].virtualW = (float)(W - 2 * p);
        break;
    }
    default: {
        int m = (int)(0.015f * H);
        int s = (H - 4 * m) / 3;
        int gx = (W - 3 * s) / 4;
        block.numViews = 9;
        for (int row = 0; row < 3; ++row)
            for (int column = 0; column < 3; ++column) {
                int k = 3 * row + column;
                setView(block, k, gx + column * (s + gx), m + row * (s + m), s, s, cameras[k], gamma);
            }
        break;
    }
    }
    return block;
}
