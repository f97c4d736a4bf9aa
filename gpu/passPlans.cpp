// gpu/passPlans.cpp
#include "gpu/passPlans.h"

#include <cmath>

GiPlan planGiPass(const GiFrame& frame, const RenderSettings& settings, int raysPerFrame)
{
    GiPlan gi;
    gi.clear = frame.clear;
    gi.run = frame.step.run;
    gi.blend = frame.step.blend;
    gi.frameId = frame.frameId;
    gi.raysPerFrame = raysPerFrame;
    gi.falloff = settings.falloff;
    gi.samplingMode = settings.samplingMode;
    gi.multibounce = settings.multibounce;
    gi.opaquePassthrough = settings.opaquePassthrough;
    return gi;
}

DrawPlan planDrawPass(const ViewsUBO& views, const RenderSettings& settings)
{
    DrawPlan draw;
    draw.views = views;
    float inverseGamma = 1.0f / settings.gamma;
    for (int c = 0; c < 3; ++c) {
        draw.clearColour[c] = std::pow(settings.bgColor[c], inverseGamma);
        draw.bgColor[c] = settings.bgColor[c];
    }
    draw.refractionIOR = settings.refractionIOR;
    draw.haloEnabled = settings.haloEnabled;
    draw.haloIntensity = settings.haloIntensity;
    return draw;
}
