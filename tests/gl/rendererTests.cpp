// tests/gl/rendererTests.cpp
// The raymarch draw into an off-screen target, against a CPU computation of each pixel's ray.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "app/camera.h"
#include "app/pngWriter.h"
#include "glTestContext.h"
#include "gpu/constants.h"
#include "gpu/giPass.h"
#include "gpu/giState.h"
#include "gpu/renderer.h"
#include "gpu/viewLayouts.h"
#include "gpu/volumeResources.h"
#include "sequencer/renderSettings.h"
#include "volumeTestSupport.h"

namespace {
struct PixelRay {
    bool inView;
    bool hit;
    bool clear;  // far enough from the cube's silhouette and from its edges to classify safely
    float exit[3];
    float uv[2];
};

PixelRay traceCpu(const ViewsUBO& views, int px, int py)
{
    PixelRay ray{};
    float fx = px + 0.5f, fy = py + 0.5f;
    for (int i = 0; i < views.numViews; ++i) {
        const ViewParams& v = views.views[i];
        float lx = fx - v.rect[0], ly = fy - v.rect[1];
        if (lx < 0 || lx >= v.rect[2] || ly < 0 || ly >= v.rect[3])
            continue;
        float rayW = v.virtualW > 0 ? v.virtualW : v.rect[2];
        float s = std::tan(v.fov / 2);
        float u = (2 * (lx + v.cropX) / rayW - 1) * s;
        float w = (2 * ly / v.rect[3] - 1) * s * v.rect[3] / rayW;
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
        ray.inView = true;
        ray.hit = tNear <= tFar && tFar >= 0;
        ray.clear = std::fabs(tFar - tNear) > 0.02f;
        int boundaryAxes = 0;
        for (int a = 0; a < 3; ++a) {
            ray.exit[a] = v.pos[a] + d[a] * tFar;
            boundaryAxes += ray.exit[a] < 0.03f || ray.exit[a] > 0.97f;
        }
        ray.clear = ray.clear && boundaryAxes == 1;
        ray.uv[0] = lx / v.rect[2];
        ray.uv[1] = ly / v.rect[3];
        return ray;
    }
    return ray;
}

float haloCpu(const float uv[2], int channel)
{
    float cx = uv[0] - 0.5f, cy = uv[1] - 0.3f;
    return renderSettings.bgColor[channel] * std::exp(-6 * (2 * cx * cx + cy * cy)) * 0.65f * renderSettings.haloIntensity;
}

ViewsUBO viewsFor(int width, int height, int layout, float yaw, float pitch, float distance = 1.6f)
{
    ViewSetup setup{};
    setup.mainBasis = buildCameraBasis(yaw, pitch, distance);
    for (int k = 0; k < maxViews; ++k) {
        setup.yaws[k] = yaw + 0.5f * k;
        setup.pitches[k] = pitch;
    }
    setup.viewDistance = distance;
    setup.volSize = volume.volSize;
    setup.width = width;
    setup.height = height;
    setup.gamma = renderSettings.gamma;
    return buildViews(setup, layout);
}

const float* pixelAt(const std::vector<float>& pixels, int width, int x, int y)
{
    return &pixels[((size_t)y * width + x) * 4];
}

int faceOfExit(const float e[3])
{
    int face = -1;
    float best = 1e30f;
    for (int f = 0; f < faceCount; ++f) {
        float distance = f % 2 ? 1 - e[f / 2] : e[f / 2];
        bool near = f % 2 ? e[f / 2] > 0.98f : e[f / 2] < 0.02f;
        if (near && distance < best) {
            best = distance;
            face = f;
        }
    }
    return face;
}
}

TEST(Renderer, ForceBlackCoversTheCubeWhileMissesShowTheUngammaedHalo)
{
    prepareVolume(16);
    runTestFill(shapeSphere, {0.5f, 0.5f, 0.5f, 0.35f});
    gpuConstants.forceBlack = true;
    writeFrameConstants();
    cTestTarget target(96, 64);
    ViewsUBO views = viewsFor(target.width, target.height, 0, 0.6f, 0.4f);
    drawFrameVolume(views);
    std::vector<float> pixels = target.readPixels();
    int hits = 0, misses = 0, wrong = 0;
    for (int y = 0; y < target.height; ++y)
        for (int x = 0; x < target.width; ++x) {
            PixelRay ray = traceCpu(views, x, y);
            const float* c = pixelAt(pixels, target.width, x, y);
            if (ray.hit && ray.clear) {
                ++hits;
                wrong += c[0] != 0.0f || c[1] != 0.0f || c[2] != 0.0f || c[3] != 1.0f;
            } else if (!ray.hit) {
                ++misses;
                // Dither adds at most one 8-bit step on top of the linear halo.
                for (int ch = 0; ch < 3; ++ch) {
                    float dither = c[ch] - haloCpu(ray.uv, ch);
                    wrong += dither < -1e-6f || dither > 1.0f / 255 + 1e-6f;
                }
                wrong += c[3] != 1.0f;
            }
        }
    EXPECT_GT(hits, 500);
    EXPECT_GT(misses, 500);
    EXPECT_EQ(wrong, 0);

    renderSettings.haloEnabled = false;
    drawFrameVolume(views);
    pixels = target.readPixels();
    const float* corner = pixelAt(pixels, target.width, 0, 0);
    EXPECT_EQ(corner[0], renderSettings.bgColor[0]);
    EXPECT_EQ(corner[3], 1.0f);
    EXPECT_TRUE(takeGlErrors().empty());
}

TEST(Renderer, AnEmptyVolumeShowsItsBackWallsLitByTheGi)
{
    prepareVolume(16);
    runTestFill(shapeEmpty);
    for (int face = 0; face < faceCount; ++face)
        gpuConstants.vwFaces[face] = {0.15f * (face + 1), 0.9f - 0.1f * face, 0.5f, face == facePosY ? 1.5f : 0.0f, 1.0f};
    uploadConstants();
    const float light[3] = {0.1f, 0.2f, 0.3f};
    std::vector<float> gi((size_t)16 * 16 * 16 * 4, 0.0f);
    for (size_t i = 0; i < gi.size(); i += 4)
        std::copy(light, light + 3, &gi[i]);
    glBindBuffer(GL_SHADER_STORAGE_BUFFER, volume.giBuffer);
    glBufferSubData(GL_SHADER_STORAGE_BUFFER, 0, gi.size() * sizeof(float), gi.data());
    glBindBuffer(GL_SHADER_STORAGE_BUFFER, 0);
    runGiCopy(volume.giSize);
    cTestTarget target(96, 64);
    // From above, so the floor and two side walls are in view.
    ViewsUBO views = viewsFor(target.width, target.height, 0, 0.7f, -0.5f);
    drawFrameVolume(views);
    std::vector<float> pixels = target.readPixels();
    int checked = 0, wrong = 0, facesSeen = 0;
    bool seen[faceCount] = {};
    for (int y = 0; y < target.height; ++y)
        for (int x = 0; x < target.width; ++x) {
            PixelRay ray = traceCpu(views, x, y);
            if (!ray.hit || !ray.clear)
                continue;
            int face = faceOfExit(ray.exit);
            ASSERT_GE(face, 0);
            seen[face] = true;
            const VWFace& f = gpuConstants.vwFaces[face];
            const float albedo[3] = {f.r, f.g, f.b};
            const float* c = pixelAt(pixels, target.width, x, y);
            for (int ch = 0; ch < 3; ++ch) {
                float linear = std::min(albedo[ch] * (f.emissivity + light[ch]), 1.0f);
                wrong += std::fabs(c[ch] - std::pow(linear, 1 / 2.2f)) > 2e-3f;
            }
            ++checked;
        }
    for (bool s : seen)
        facesSeen += s;
    EXPECT_GT(checked, 1000);
    EXPECT_EQ(facesSeen, 3);
    EXPECT_EQ(wrong, 0);
    EXPECT_TRUE(takeGlErrors().empty());
}

TEST(Renderer, PixelsOutsideEveryViewKeepTheClearColour)
{
    prepareVolume(16);
    runTestFill(shapeBox);
    gpuConstants.forceBlack = true;
    writeFrameConstants();
    cTestTarget target(64, 48);
    ViewsUBO views = viewsFor(target.width, target.height, 1, 0.3f, 0.5f);
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT);
    drawRaymarch(views);
    std::vector<float> raw = target.readPixels();
    drawFrameVolume(views);
    std::vector<float> framed = target.readPixels();
    float clear = std::pow(renderSettings.bgColor[0], 1 / renderSettings.gamma);
    int uncovered = 0, hits = 0, wrong = 0;
    for (int y = 0; y < target.height; ++y)
        for (int x = 0; x < target.width; ++x) {
            PixelRay ray = traceCpu(views, x, y);
            const float* r = pixelAt(raw, target.width, x, y);
            const float* f = pixelAt(framed, target.width, x, y);
            if (!ray.inView) {
                ++uncovered;
                wrong += r[0] != 0 || r[1] != 0 || r[2] != 0 || r[3] != 0;
                wrong += std::fabs(f[0] - clear) > 1e-6f || f[3] != 1.0f;
            } else if (ray.hit && ray.clear) {
                // Every view marches its own camera: side views show the cube where the CPU ray hits it.
                ++hits;
                wrong += r[0] != 0 || r[3] != 1.0f;
            } else if (!ray.hit) {
                wrong += r[3] != 1.0f || r[0] == 0.0f;
            }
        }
    // Layout 1 at 64 x 48 leaves the side columns (16 wide) uncovered above, between and below their views.
    EXPECT_EQ(uncovered, 2 * 16 * (48 - 2 * 19));
    EXPECT_GT(hits, 300);
    EXPECT_EQ(wrong, 0);
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
        giFrameControl();
    cTestTarget target(480, 270, GL_RGBA8);
    ViewsUBO views = viewsFor(target.width, target.height, 0, 1.0466667f, 0.5f, 2.2f);
    drawFrameVolume(views);
    std::vector<float> pixels = target.readPixels();
    std::vector<uint8_t> rgba(pixels.size());
    for (int y = 0; y < target.height; ++y)
        for (int i = 0; i < target.width * 4; ++i)
            rgba[(size_t)(target.height - 1 - y) * target.width * 4 + i] =
                (uint8_t)std::lround(std::clamp(pixels[(size_t)y * target.width * 4 + i], 0.0f, 1.0f) * 255);
    EXPECT_TRUE(writePng(testOutputPath("rendererShowcase.png").c_str(), target.width, target.height, rgba.data()));
    int lit = 0, warm = 0, halo = 0, wrongHalo = 0;
    for (int y = 0; y < target.height; ++y)
        for (int x = 0; x < target.width; ++x) {
            PixelRay ray = traceCpu(views, x, y);
            const float* c = pixelAt(pixels, target.width, x, y);
            if (!ray.hit) {
                ++halo;
                wrongHalo += std::fabs(c[1] - haloCpu(ray.uv, 1)) > 2.5f / 255;
            } else {
                lit += c[0] + c[1] + c[2] > 0.6f;
                warm += c[0] > 0.7f && c[0] > c[1] && c[1] > c[2];
            }
        }
    EXPECT_GT(halo, 10000);
    EXPECT_EQ(wrongHalo, 0);
    EXPECT_GT(lit, 10000);
    EXPECT_GT(warm, 2000);
    EXPECT_TRUE(takeGlErrors().empty());
}
