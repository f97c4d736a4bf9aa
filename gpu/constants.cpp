// gpu/constants.cpp
#include "gpu/constants.h"

#include "gpu/renderSettings.h"
#include "gpu/volumeResources.h"

GPUConstants gpuConstants;

ConstantsBlock buildConstantsBlock(const GPUConstants& constants)
{
    ConstantsBlock block{};
    block.wallThickness = constants.wallThickness;
    block.vwAlbedo = constants.vwAlbedo;
    block.emissivityMul = constants.emissivityMul;
    block.forceBlack = constants.forceBlack ? 1.0f : 0.0f;
    for (int i = 0; i < faceCount; ++i) {
        const VWFace& f = constants.vwFaces[i];
        block.vwFaces[i] = {f.r, f.g, f.b, f.emissivity, f.roughness, 0.0f, 0.0f, 0.0f};
    }
    return block;
}

void setWallFace(int face, float r, float g, float b, float emissivity, float roughness)
{
    gpuConstants.vwFaces[face] = {r, g, b, emissivity, roughness};
}

void wallReset()
{
    float a = renderSettings.vwAlbedo;
    for (int i = 0; i < faceCount; ++i)
        setWallFace(i, a, a, a, 0.0f, 1.0f);
}

void uploadConstants()
{
    gpuConstants.wallThickness = renderSettings.wallThickness;
    gpuConstants.vwAlbedo = renderSettings.vwAlbedo;
    if (!uniformBuffers.constants)
        return;
    ConstantsBlock block = buildConstantsBlock(gpuConstants);
    glBindBuffer(GL_UNIFORM_BUFFER, uniformBuffers.constants);
    glBufferSubData(GL_UNIFORM_BUFFER, 0, sizeof(block), &block);
    glBindBuffer(GL_UNIFORM_BUFFER, 0);
}

void writeFrameConstants()
{
    if (!uniformBuffers.constants)
        return;
    float fields[2] = {gpuConstants.emissivityMul, gpuConstants.forceBlack ? 1.0f : 0.0f};
    glBindBuffer(GL_UNIFORM_BUFFER, uniformBuffers.constants);
    glBufferSubData(GL_UNIFORM_BUFFER, offsetof(ConstantsBlock, emissivityMul), sizeof(fields), fields);
    glBindBuffer(GL_UNIFORM_BUFFER, 0);
}
