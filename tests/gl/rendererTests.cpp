// tests/gl/rendererTests.cpp
// The raymarch draw into an off-screen target, against a CPU computation of each pixel's ray.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>

#include "gpu/constants.h"
#include "gpu/giPass.h"
#include "gpu/giState.h"
#include "gpu/renderSettings.h"
#include "gpu/renderer.h"
#include "gpu/viewLayouts.h"
#include "gpu/volumeResources.h"
#include "sequencer/camera.h"
#include "volumeTestSupport.h"

namespace {
// Clear: far enough from the cube's silhouette and from its edges to name the one wall the ray leaves through.
struct PixelRay {
    bool inView = false, hit = false, clear = false;
    int face = -1;
    float uv[2] = {};
};

PixelRay traceCpu(const ViewsUBO& views, int px, int py)
{
    for (int i = 0; i < views.numViews; ++i) {
        const ViewParams& v = views.views[i];
        float lx = px + 0.5f - v.rect[0], ly = py + 0.5f - v.rect[1];
        if (lx < 0 || lx >= v.rect[2] || ly < 0 || ly >= v.rect[3])
            continue;
        float rayW = v.virtualW > 0 ? v.virtualW : v.rect[2], s = std::tan(v.fov / 2);
        float u = (2 * (lx + v.cropX) / rayW - 1) * s, w = (2 * ly / v.rect[3] - 1) * s * v.rect[3] / rayW;
        float d[3], tNear = -1e30f, tFar = 1e30f;
        for (int a = 0; a < 3; ++a)
            d[a] = v.fwd[a] + u * v.right[a] + w * v.up[a];
        float length = std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
        for (int a = 0; a < 3; ++a) {
            d[a] /= length;
            float inverse = std::fabs(d[a]) < 1e-8f ? 1e8f : 1 / d[a];
            float t0 = -v.pos[a] * inverse, t1 = (1 - v.pos[a]) * inverse;
            tNear = std::max(tNear, std::min(t0, t1));
            tFar = std::min(tFar, std::max(t0, t1));
        }
        PixelRay ray{true, tNear <= tFar && tFar >= 0, false, -1, {lx / v.rect[2], ly / v.rect[3]}};
        int boundaryAxes = 0;
        for (int a = 0; a < 3; ++a) {
            float exit = v.pos[a] + d[a] * tFar;
            if (exit < 0.03f || exit > 0.97f) {
                ++boundaryAxes;
                ray.face = 2 * a + (exit > 0.5f);
            }
        }
        ray.clear = std::fabs(tFar - tNear) > 0.02f && boundaryAxes == 1;
        return ray;
    }
    return {};
}

ViewsUBO viewsFor(int width, int height, int layout, float yaw, float pitch, float distance = 1.6f)
{
    ViewSetup setup{.mainBasis = buildCameraBasis(yaw, pitch, distance), .yaws = {}, .pitches = {},
                    .viewDistance = distance, .volSize = volume.volSize, .width = width, .height = height,
                    .gamma = renderSettings.gamma, .refraction = false, .hihatPulse = 0.0f};
    for (int k = 0; k < maxViews; ++k) {
        setup.yaws[k] = yaw + 0.5f * k;
        setup.pitches[k] = pitch;
    }
    return buildViews(setup, layout);
}
}

TEST(Renderer, WallsShowTheirGiLightForceBlackIsExactAndMissesShowTheUngammaedHalo)
{
    prepareVolume(16);
    runTestFill(shapeEmpty);
    for (int face = 0; face < faceCount; ++face)
        gpuConstants.vwFaces[face] = {0.15f * (face + 1), 0.9f - 0.1f * face, 0.5f, face == facePosY ? 1.5f : 0.0f,
                                      1.0f};
    uploadConstants();
    const float light[3] = {0.1f, 0.2f, 0.3f};
    writeGiBuffer(light[0], light[1], light[2]);
    runGiCopy(volume.giSize);
    const int width = 96, height = 64;
    // Every view of layout 1 marches its own camera, all from above, so floors and side walls are in view.
    ViewsUBO views = viewsFor(width, height, 1, 0.7f, -0.5f);
    std::vector<float> lit = drawOffscreen(width, height, [&] { drawFrameVolume(views); });
    renderSettings.haloEnabled = false;
    std::vector<float> plain = drawOffscreen(width, height, [&] { drawFrameVolume(views); });
    gpuConstants.forceBlack = true;
    writeFrameConstants();
    std::vector<float> black = drawOffscreen(width, height, [&] { drawRaymarch(views); });
    const float clear = std::pow(renderSettings.bgColor[0], 1 / renderSettings.gamma);
    int uncovered = 0, walls = 0, misses = 0, wrong = 0;
    unsigned facesSeen = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            PixelRay ray = traceCpu(views, x, y);
            const size_t at = ((size_t)y * width + x) * 4;
            const float *l = &lit[at], *b = &black[at];
            if (!ray.inView) {
                // Alpha 0 outside every view lets the gamma-corrected clear colour through.
                ++uncovered;
                wrong += b[0] != 0 || b[1] != 0 || b[2] != 0 || b[3] != 0;
                wrong += std::fabs(l[0] - clear) > 1e-6f || l[3] != 1.0f;
            } else if (!ray.hit) {
                // Dither adds at most one 8-bit step on the linear halo; without the halo, the plain background.
                ++misses;
                float cx = ray.uv[0] - 0.5f, cy = ray.uv[1] - 0.3f, glow = std::exp(-6 * (2 * cx * cx + cy * cy));
                for (int ch = 0; ch < 3; ++ch) {
                    float dither = l[ch] - renderSettings.bgColor[ch] * glow * 0.65f * renderSettings.haloIntensity;
                    wrong += dither < -1e-6f || dither > 1.0f / 255 + 1e-6f;
                    wrong += plain[at + ch] != renderSettings.bgColor[ch];
                }
                wrong += l[3] != 1.0f;
            } else if (ray.clear) {
                // A clear ray leaves through exactly one wall, lit by its emissivity and the GI, then gamma.
                ++walls;
                facesSeen |= 1u << ray.face;
                const VWFace& f = gpuConstants.vwFaces[ray.face];
                const float albedo[3] = {f.r, f.g, f.b};
                for (int ch = 0; ch < 3; ++ch) {
                    float linear = std::min(albedo[ch] * (f.emissivity + light[ch]), 1.0f);
                    wrong += std::fabs(l[ch] - std::pow(linear, 1 / 2.2f)) > 2e-3f;
                }
                wrong += b[0] != 0 || b[1] != 0 || b[2] != 0 || b[3] != 1.0f;
            }
        }
    // Layout 1 at 96 x 64 leaves the side columns (24 wide) uncovered above, between and below their views.
    EXPECT_TRUE(uncovered == 2 * 24 * (64 - 2 * 25) && wrong == 0) << uncovered << " uncovered, " << wrong << " wrong";
    EXPECT_TRUE(walls > 1000 && misses > 500 && std::popcount(facesSeen) >= 3) << walls << " " << misses;
    EXPECT_TRUE(takeGlErrors().empty());
}

TEST(Renderer, LitShowcaseSceneLooksRight)
{
    prepareVolume(48);
    // A warm emissive back wall (-x) lights a floor, a box and a sphere; the +z wall is cool blue.
    gpuConstants.vwFaces[faceNegX] = {1.0f, 0.62f, 0.3f, 3.0f, 1.0f};
    gpuConstants.vwFaces[faceNegZ] = {0.35f, 0.5f, 0.9f, 0.0f, 1.0f};
    runTestFill(shapeShowcase);
    giAccumMode = giProgressive;
    giResetRequested = true;
    for (int frame = 0; frame < 10; ++frame)
        giFrameControl(renderSettings.raysPerFrame);
    const int width = 480, height = 270;
    ViewsUBO views = viewsFor(width, height, 0, 1.0466667f, 0.5f, 2.2f);
    std::vector<float> pixels = drawOffscreen(width, height, [&] { drawFrameVolume(views); }, GL_RGBA8);
    // The warm wall's light reaches the scene: many bright pixels, a good share of them orange; the halo is dimmer.
    int lit = 0, warm = 0;
    for (size_t i = 0; i < pixels.size(); i += 4) {
        const float* c = &pixels[i];
        lit += c[0] + c[1] + c[2] > 0.6f;
        warm += c[0] > 0.7f && c[0] > c[1] && c[1] > c[2];
    }
    EXPECT_TRUE(lit > 10000 && warm > 2000) << lit << " lit, " << warm << " warm";
    EXPECT_TRUE(takeGlErrors().empty());
}
