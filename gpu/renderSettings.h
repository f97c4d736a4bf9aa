// gpu/renderSettings.h
// The render settings that every scene entry starts from and then tunes; the frame plan reads them.
#pragma once

struct RenderSettings {
    int samplingMode = 2;
    float giBlend = 0.3f;
    int raysPerFrame = 16;
    float falloff = 0.0f;
    float gamma = 2.2f;
    float wallThickness = 0.03f;
    float vwAlbedo = 0.85f;
    bool refraction = false;
    float refractionIOR = 1.03f;
    bool adaptiveRaysEnabled = true;
    float bgColor[3] = {0.14901961f, 0.14901961f, 0.14901961f};
    bool opaquePassthrough = false;
    bool haloEnabled = true;
    float haloIntensity = 1.0f;
    bool multibounce = true;
    int volSize = 128;
};
