// scenes/sceneIntro.cpp
// Three captions fade in from black and back, lit only by the white x = 0 wall that emissivityMul scales.
#include "scenes/sceneIntro.h"

#include <algorithm>

#include "gpu/constants.h"
#include "gpu/fillDispatch.h"
#include "gpu/giState.h"
#include "gpu/renderSettings.h"
#include "sequencer/camera.h"
#include "sequencer/labels.h"

namespace {
const TimedLabel introLabels[] = {
    {"spawn from void", 1.0f}, {"completed", 3.0f}, {"3d texture", 8.0f}, {"128³", 9.0f},
    {"voxel", 13.0f},          {"raytracing", 14.0f}, {"enabled", 15.0f}, {"global", 18.0f},
    {"illumination", 19.0f},   {"activated", 20.0f},
};
}

void cSceneIntro::enter()
{
    renderSettings = RenderSettings{};
    cameraDistance = 2.4f;
    cameraPitch = 0.15f;
    cameraYaw = 3.1415927f;

    setWallFace(faceNegX, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f);
    for (int face = facePosX; face < faceCount; ++face)
        setWallFace(face, 0.8f, 0.8f, 0.8f, 0.0f, 1.0f);
    // Uploaded before the overrides below, so the block carries the default vwAlbedo.
    uploadConstants();

    renderSettings.vwAlbedo = 0.84f;
    renderSettings.gamma = 1.457f;
    gpuConstants.emissivityMul = 0.0f;
    renderSettings.giBlend = 0.5f;
    renderSettings.falloff = 0.0f;
    renderSettings.samplingMode = 0;

    clearLabels();
    renderSettings.refraction = false;
    textSet = 0;
    beginScript();
    phaseNames.clear();
    setTimedLabels(introLabels, (int)(sizeof(introLabels) / sizeof(introLabels[0])));

    addTextSet(-1, 3.0f, 1.5f, 1.5f, 0.7f, 0.5f);
    addTextSet(0, 0.5f, 0.7f, 3.0f, 0.7f, 0.5f);
    addTextSet(1, 0.5f, 0.7f, 3.0f, 0.7f, 0.5f);
    addTextSet(2, 0.5f, 0.7f, 3.0f, 0.7f, 0.0f);
    timeline.phases.push_back(Phase{"wait at end", 3.0f, {}, {}});
    startTimeline(timeline);
}

void cSceneIntro::addTextSet(int set, float showDuration, float fadeInDuration, float holdDuration,
                             float fadeOutDuration, float tailDuration)
{
    phaseNames.push_back("text" + std::to_string(set));
    timeline.phases.push_back(Phase{phaseNames.back().c_str(), showDuration,
                                    [this, set] {
                                        gpuConstants.forceBlack = true;
                                        giResetRequested = true;
                                        textSet = set;
                                        gpuConstants.emissivityMul = 0.0f;
                                    },
                                    {}});
    timeline.phases.push_back(Phase{"fade_in", fadeInDuration,
                                    [] {
                                        gpuConstants.forceBlack = false;
                                        giResetRequested = true;
                                        renderSettings.giBlend = 0.5f;
                                    },
                                    [](float p, Phase&) {
                                        float s = std::min(p, 1.0f);
                                        gpuConstants.emissivityMul = s * s;
                                    }});
    timeline.phases.push_back(Phase{"hold", holdDuration, [] { gpuConstants.emissivityMul = 1.0f; }, {}});
    timeline.phases.push_back(Phase{"fade_out", fadeOutDuration + tailDuration, {},
                                    [fadeOutDuration](float p, Phase& phase) {
                                        // Seconds into the phase over the fade time: the tail stays black.
                                        float s = std::min(p * phase.duration / fadeOutDuration, 1.0f);
                                        renderSettings.giBlend = 0.5f + 0.5f * s;
                                        gpuConstants.emissivityMul = 1.0f - s * s * s;
                                        if (s >= 1.0f)
                                            gpuConstants.forceBlack = true;
                                    }});
}

void cSceneIntro::fill(int volSize)
{
    dispatchFill(fillProgram, volSize, (float)sceneTime(),
                 [this](const FillUniforms& u) { u.setInt("textSet", textSet); });
}
