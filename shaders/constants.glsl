// The Constants block (CONSTANTS_BINDING) that the fills, the GI pass and the raymarch share: the walls and the light
// switches. gpu/constants.h keeps its std140 image, which a test checks against the driver's offsets.

struct sVWFace {
    float r;
    float g;
    float b;
    float emissivity;
    float roughness;
    float pad0;
    float pad1;
    float pad2;
};

layout(std140, binding = CONSTANTS_BINDING) uniform Constants {
    float wallThickness;
    float vwAlbedo;
    float emissivityMul;
    float forceBlack;
    sVWFace vwFaces[6];
};
