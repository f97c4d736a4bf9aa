// gpu/constants.h
// The walls and light switches that scenes set, and the exact std140 image of the Constants uniform block.
#pragma once

#include <cstddef>

#include "gpu/gpuBindings.h"

struct RenderSettings;

struct VWFace {
    float r, g, b, emissivity, roughness;
};

enum { faceNegX, facePosX, faceNegY, facePosY, faceNegZ, facePosZ, faceCount };

// The six virtual walls and the two light switches; wall thickness and albedo come from the render settings.
struct WallLights {
    float emissivityMul = 1.0f;
    bool forceBlack = false;
    VWFace vwFaces[faceCount] = {
        {0.85f, 0.85f, 0.85f, 0.0f, 1.0f}, {0.85f, 0.85f, 0.85f, 0.0f, 1.0f}, {0.85f, 0.85f, 0.85f, 0.0f, 1.0f},
        {0.85f, 0.85f, 0.85f, 0.0f, 1.0f}, {0.85f, 0.85f, 0.85f, 0.0f, 1.0f}, {0.85f, 0.85f, 0.85f, 0.0f, 1.0f}};
};

struct VWFaceGPU {
    float r, g, b, emissivity, roughness;
    float pad0, pad1, pad2;
};

struct ConstantsBlock {
    float wallThickness;
    float vwAlbedo;
    float emissivityMul;
    float forceBlack;
    VWFaceGPU vwFaces[faceCount];
};
static_assert(sizeof(ConstantsBlock) == 208);
static_assert(offsetof(ConstantsBlock, emissivityMul) == 8);
static_assert(offsetof(ConstantsBlock, forceBlack) == 12);
static_assert(offsetof(ConstantsBlock, vwFaces) == 16);

ConstantsBlock buildConstantsBlock(const RenderSettings& settings, const WallLights& walls);

void setWallFace(WallLights& walls, int face, float r, float g, float b, float emissivity, float roughness);
// Every face to one grey, not emissive, fully rough.
void setGreyWalls(WallLights& walls, float grey);
