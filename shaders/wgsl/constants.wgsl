// The Constants block (CONSTANTS_BINDING) that the fills, the GI pass and the raymarch share: the walls and the light
// switches, in the 208-byte layout of gpu/constants.h.

struct sVWFace {
    r: f32,
    g: f32,
    b: f32,
    emissivity: f32,
    roughness: f32,
    pad0: f32,
    pad1: f32,
    pad2: f32,
}

struct Constants {
    wallThickness: f32,
    vwAlbedo: f32,
    emissivityMul: f32,
    forceBlack: f32,
    vwFaces: array<sVWFace, 6>,
}

@group(0) @binding(CONSTANTS_BINDING) var<uniform> constants: Constants;
