// gpu/passPlans.h
// What each GPU pass of a frame is asked to do, as plain data: the show plans it, a GPU back end carries it out.
#pragma once

#include <vector>

#include "gpu/constants.h"
#include "gpu/giState.h"
#include "gpu/renderSettings.h"
#include "gpu/viewLayouts.h"

// One of a scene's own fill uniforms, by the name its fill program declares.
struct FillUniform {
    FillUniform(const char* name, int value) : name(name), isInt(true), intValue(value) {}
    FillUniform(const char* name, float value) : name(name), floatValue(value) {}

    const char* name;
    bool isInt = false;
    int intValue = 0;
    float floatValue = 0.0f;
};

// What a scene's fill needs this frame besides the volume: the time it animates by and its own uniforms.
struct FillRequest {
    float timeSec = 0.0f;
    std::vector<FillUniform> uniforms;
};

struct FillPlan {
    bool run = false;
    int program = -1;  // the scene's row in the registry; -1 has no fill program
    int volSize = 0;
    FillRequest request;
    ConstantsBlock constants{};  // the walls as the fill sees them, before the scene's update
};

struct GiPlan {
    bool clear = false;  // clear the GI buffer and texture first
    bool run = false;    // gather and copy; false while the light is frozen
    float blend = 0.0f;
    unsigned frameId = 0;
    int raysPerFrame = 1;
    float falloff = 0.0f;
    int samplingMode = 0;
    bool multibounce = true;
    bool opaquePassthrough = false;
};

struct DrawPlan {
    ViewsUBO views{};
    float clearColour[3] = {0.0f, 0.0f, 0.0f};  // the background, gamma-corrected
    float bgColor[3] = {0.0f, 0.0f, 0.0f};
    float refractionIOR = 1.0f;
    bool haloEnabled = true;
    float haloIntensity = 1.0f;
};

// The GI pass's request for one planned GI frame under these settings.
GiPlan planGiPass(const GiFrame& frame, const RenderSettings& settings, int raysPerFrame);
// The clear and the raymarch's request for these views under these settings.
DrawPlan planDrawPass(const ViewsUBO& views, const RenderSettings& settings);
