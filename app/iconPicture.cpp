// app/iconPicture.cpp
// One of the show's voxel cubes seen from a corner: its top lit by a glowing voxel, its sides by a red and a teal wall.
#include "app/iconPicture.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr int voxelsPerEdge = 4;
constexpr int samplesPerSide = 4;  // 16 samples a pixel smooth the edges at 16 px
constexpr float cos30 = 0.8660254f;

struct Colour {
    float r, g, b;
};

// The cube's colour at a point of the unit square (y down); false outside the cube.
bool cubeColour(float x, float y, Colour& colour)
{
    // The near corner sits at the centre; the outline is a hexagon of radius 0.48.
    float u = (x - 0.5f) / 0.48f / cos30, v = (y - 0.5f) / 0.48f;
    // Each face spans two edges from the near corner; (along, down) is where the point lies on it, 0 to 1.
    float along = 0.0f, down = 0.0f;
    Colour light{};
    bool top = u * 0.5f + v <= 0.0f && -u * 0.5f + v <= 0.0f;
    if (top) {
        along = -v - u * 0.5f;
        down = -v + u * 0.5f;
        light = {0.86f, 0.84f, 0.80f};
    } else if (u < 0.0f) {
        along = -u;
        down = v + along * 0.5f;
        light = {0.85f, 0.25f, 0.21f};
    } else {
        along = u;
        down = v + along * 0.5f;
        light = {0.17f, 0.66f, 0.60f};
    }
    if (along < 0.0f || along >= 1.0f || down < 0.0f || down >= 1.0f)
        return false;
    int i = (int)(along * voxelsPerEdge), j = (int)(down * voxelsPerEdge);
    float fi = along * voxelsPerEdge - (float)i, fj = down * voxelsPerEdge - (float)j;
    // The four middle voxels of the top glow; their light falls off across the top and down the sides.
    bool glowing = top && (i == 1 || i == 2) && (j == 1 || j == 2);
    if (glowing) {
        colour = {1.0f, 0.92f, 0.58f};
    } else {
        float spread = top ? std::exp(-6.0f * ((along - 0.5f) * (along - 0.5f) + (down - 0.5f) * (down - 0.5f)))
                           : 1.0f - down;
        float shade = (0.62f + 0.45f * spread) * (0.95f + 0.05f * (float)((i * 7 + j * 3) % 4) / 3.0f);
        colour = {light.r * shade, light.g * shade, light.b * shade};
    }
    float seam = std::min(std::min(fi, 1.0f - fi), std::min(fj, 1.0f - fj));
    // Dark seams between the voxels, faint inside the glow.
    if (seam < 0.06f) {
        float dim = glowing ? 0.88f : 0.55f;
        colour = {colour.r * dim, colour.g * dim, colour.b * dim};
    }
    return true;
}
}

std::vector<uint8_t> drawIconPicture(int size)
{
    std::vector<uint8_t> rgba((size_t)size * size * 4, 0);
    for (int py = 0; py < size; ++py)
        for (int px = 0; px < size; ++px) {
            Colour sum{};
            int covered = 0;
            for (int sy = 0; sy < samplesPerSide; ++sy)
                for (int sx = 0; sx < samplesPerSide; ++sx) {
                    Colour colour;
                    float x = ((float)px + ((float)sx + 0.5f) / samplesPerSide) / (float)size;
                    float y = ((float)py + ((float)sy + 0.5f) / samplesPerSide) / (float)size;
                    if (!cubeColour(x, y, colour))
                        continue;
                    sum = {sum.r + colour.r, sum.g + colour.g, sum.b + colour.b};
                    ++covered;
                }
            if (covered == 0)
                continue;
            uint8_t* pixel = &rgba[((size_t)py * size + px) * 4];
            for (int c = 0; c < 3; ++c) {
                float value = (&sum.r)[c] / (float)covered;
                pixel[c] = (uint8_t)std::lround(std::clamp(value, 0.0f, 1.0f) * 255.0f);
            }
            pixel[3] = (uint8_t)(covered * 255 / (samplesPerSide * samplesPerSide));
        }
    return rgba;
}
