// web/showApi.cpp
// The show's frame step behind a small C API for the page: make a show, step it, read the plan's fields.
#include <emscripten/emscripten.h>

#include <cstdint>
#include <memory>

#include "scenes/sceneRegistry.h"
#include "show/show.h"

namespace {
// Every scalar the page reads, four bytes each, so the page reads it as one Int32Array or Float32Array.
struct PlanScalars {
    int32_t volSize, fillRun, fillProgram, fillVolSize;
    float fillTimeSec;
    int32_t fillUniformCount;
    int32_t giClear, giRun;
    float giBlend;
    uint32_t giFrameId;
    int32_t raysPerFrame;
    float falloff;
    int32_t samplingMode, multibounce, opaquePassthrough;
    float clearColour[3], bgColor[3], refractionIOR;
    int32_t haloEnabled;
    float haloIntensity, textScale;
    int32_t captionCount, showOver, sceneIndex;
};

struct WebShow {
    std::unique_ptr<Show> show;
    FramePlan plan;
    PlanScalars scalars;
};

void flatten(WebShow& web)
{
    const FramePlan& plan = web.plan;
    const ShowState& state = web.show->state;
    web.scalars = {plan.volSize, plan.fill.run, plan.fill.program, plan.fill.volSize, plan.fill.request.timeSec,
                   (int32_t)plan.fill.request.uniforms.size(), plan.gi.clear, plan.gi.run, plan.gi.blend,
                   plan.gi.frameId, plan.gi.raysPerFrame, plan.gi.falloff, plan.gi.samplingMode,
                   plan.gi.multibounce, plan.gi.opaquePassthrough,
                   {plan.draw.clearColour[0], plan.draw.clearColour[1], plan.draw.clearColour[2]},
                   {plan.draw.bgColor[0], plan.draw.bgColor[1], plan.draw.bgColor[2]}, plan.draw.refractionIOR,
                   plan.draw.haloEnabled, plan.draw.haloIntensity, plan.captions.textScale,
                   (int32_t)plan.captions.captions.size(), plan.showOver, state.sequence.lastAppliedScene};
}
}

extern "C" {
EMSCRIPTEN_KEEPALIVE WebShow* lfMakeShow(int startScene, int volumeOverride, int fixedRays, float fontSize)
{
    ShowConfig config;
    config.startScene = startScene;
    config.volumeOverride = volumeOverride;
    config.fixedRaysPerFrame = fixedRays;
    config.fontSize = fontSize;
    WebShow* web = new WebShow;
    web->show = makeShow(config);
    return web;
}

EMSCRIPTEN_KEEPALIVE void lfFreeShow(WebShow* web)
{
    delete web;
}

// The page has no GPU timings to feed back: the ray budget then holds its count.
EMSCRIPTEN_KEEPALIVE const PlanScalars* lfStepShow(WebShow* web, double showTimeSec, double musicTimeSec, int width,
                                                   int height)
{
    FrameInput input;
    input.showTimeSec = showTimeSec;
    input.musicTimeSec = musicTimeSec;
    input.targetWidth = width;
    input.targetHeight = height;
    web->plan = stepShow(*web->show, input);
    flatten(*web);
    return &web->scalars;
}

// The blocks' sizes come from their C++ images, so the page never restates them.
EMSCRIPTEN_KEEPALIVE int lfConstantsBytes() { return (int)sizeof(ConstantsBlock); }
EMSCRIPTEN_KEEPALIVE int lfViewsBytes() { return (int)sizeof(ViewsUBO); }
EMSCRIPTEN_KEEPALIVE const ConstantsBlock* lfFillConstants(WebShow* web) { return &web->plan.fill.constants; }
EMSCRIPTEN_KEEPALIVE const ConstantsBlock* lfConstants(WebShow* web) { return &web->plan.constants; }
EMSCRIPTEN_KEEPALIVE const ViewsUBO* lfViews(WebShow* web) { return &web->plan.draw.views; }

EMSCRIPTEN_KEEPALIVE const char* lfFillUniformName(WebShow* web, int i)
{
    return web->plan.fill.request.uniforms[i].name;
}

EMSCRIPTEN_KEEPALIVE int lfFillUniformIsInt(WebShow* web, int i) { return web->plan.fill.request.uniforms[i].isInt; }

EMSCRIPTEN_KEEPALIVE double lfFillUniformValue(WebShow* web, int i)
{
    const FillUniform& uniform = web->plan.fill.request.uniforms[i];
    return uniform.isInt ? uniform.intValue : uniform.floatValue;
}

EMSCRIPTEN_KEEPALIVE const char* lfCaptionText(WebShow* web, int i)
{
    return web->plan.captions.captions[i].text.c_str();
}

// x, y of the top-right corner in pixels from the top left, then the opacity.
EMSCRIPTEN_KEEPALIVE const float* lfCaptionPlace(WebShow* web, int i)
{
    return &web->plan.captions.captions[i].x;
}

EMSCRIPTEN_KEEPALIVE double lfSceneTimeSec(WebShow* web)
{
    const cSceneBase* scene = web->show->state.sequence.currentScene;
    return scene ? scene->sceneTime() : 0.0;
}

EMSCRIPTEN_KEEPALIVE int lfSceneRowCount() { return (int)sceneRegistry().size(); }
EMSCRIPTEN_KEEPALIVE int lfSceneTableIndex(int row) { return sceneRegistry()[row].tableIndex; }
EMSCRIPTEN_KEEPALIVE const char* lfSceneProgramName(int row) { return sceneRegistry()[row].programName; }
EMSCRIPTEN_KEEPALIVE int lfScenePieceCount(int row) { return (int)sceneRegistry()[row].pieces.size(); }
// The web build's piece texts are the pieces' names, which the page composes from their WGSL twins.
EMSCRIPTEN_KEEPALIVE const char* lfScenePiece(int row, int i) { return sceneRegistry()[row].pieces[i]; }
}
