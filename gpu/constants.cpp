// gpu/constants.cpp
#include "gpu/constants.h"

#include "gpu/renderSettings.h"

ConstantsBlock buildConstantsBlock(const RenderSettings& settings, const WallLights& walls)
{
    ConstantsBlock block{};
    block.wallThickness = settings.wallThickness;
    block.vwAlbedo = settings.vwAlbedo;
    block.emissivityMul = walls.emissivityMul;
    block.forceBlack = walls.forceBlack ? 1.0f : 0.0f;
    for (int i = 0; i < faceCount; ++i) {
        const VWFace& f = walls.vwFaces[i];
        block.vwFaces[i] = {f.r, f.g, f.b, f.emissivity, f.roughness, 0.0f, 0.0f, 0.0f};
    }
    return block;
}

void setWallFace(WallLights& walls, int face, float r, float g, float b, float emissivity, float roughness)
{
    walls.vwFaces[face] = {r, g, b, emissivity, roughness};
}

void setGreyWalls(WallLights& walls, float grey)
{
    for (int i = 0; i < faceCount; ++i)
        setWallFace(walls, i, grey, grey, grey, 0.0f, 1.0f);
}
