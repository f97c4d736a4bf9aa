// gpu/constants.h
// CPU mirror of the Constants uniform block (binding 3) and its exact std140 image.
#pragma once

#include <cstddef>

struct VWFace {
    float r, g, b, emissivity, roughness;
};

enum { faceNegX, facePosX, faceNegY, facePosY, faceNegZ, facePosZ, faceCount };

struct GPUConstants {
    float wallThickness = 0.03f;
    float vwAlbedo = 0.85f;
    float emissivityMul = 1.0f;
    bool forceBlack = false;
    VWFace vwFaces[faceCount] = {
        {0.85f, 0.85f, 0.85f, 0.0f, 1.0f}, {0.85f, 0.85f, 0.85f, 0.0f, 1.0f}, {0.85f, 0.85f, 0.85f, 0.0f, 1.0f},
        {0.85f, 0.85f, 0.85f, 0.0f, 1.0f}, {0.85f, 0.85f, 0.85f, 0.0f, 1.0f}, {0.85f, 0.85f, 0.85f, 0.0f, 1.0f}};
};

extern GPUConstants gpuConstants;

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

ConstantsBlock buildConstantsBlock(const GPUConstants& constants);

void setWallFace(int face, float r, float g, float b, float emissivity, float roughness);
// Every face to the settings' vwAlbedo grey, not emissive, fully rough; an upload must follow.
void wallReset();
// Takes wallThickness and vwAlbedo from the render settings and replaces the whole GPU block.
void uploadConstants();
// Rewrites emissivityMul and forceBlack in place, just before the GI pass.
void writeFrameConstants();
