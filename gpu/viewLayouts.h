// gpu/viewLayouts.h
// How a frame is split into views, and the exact std140 image of the renderer's view block (at VIEWS_BINDING).
#pragma once

#include <cstddef>

#include "gpu/cameraBasis.h"

struct ViewParams {
    float rect[4];  // x, y of the lower-left corner, width, height in framebuffer pixels
    float pos[3];
    float fov;
    float fwd[3];
    float gamma;
    float right[3];
    float virtualW;
    float up[3];
    float cropX;
};
static_assert(sizeof(ViewParams) == 80);

struct ViewsUBO {
    int numViews;
    int volSize;
    int renderMode;
    int refractionEnabled;
    float hihatPulse;
    float pad[3];
    ViewParams views[maxViews];
};
static_assert(sizeof(ViewsUBO) == 752);
static_assert(offsetof(ViewsUBO, views) == 32);

struct ViewSetup {
    CameraBasis mainBasis;
    float yaws[maxViews];
    float pitches[maxViews];
    float viewDistance;
    int volSize;
    int width, height;
    float gamma;
    bool refraction;
    float hihatPulse;
};

ViewsUBO buildViews(const ViewSetup& setup, int layout);
