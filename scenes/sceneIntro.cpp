// scenes/sceneIntro.cpp
// Three captions fade in from black and back, lit only by the white x = 0 wall that emissivityMul scales.
#include "scenes/sceneIntro.h"

#include <algorithm>

#include "sequencer/showState.h"

namespace {
const TimedLabel introLabels[] = {
    {"spawn from void", 1.0f}, {"completed", 3.0f}, {"3d texture", 8.0f}, {"128³", 9.0f},
    {"voxel", 13.0f},          {"raytracing", 14.0f}, {"enabled", 15.0f}, {"global", 18.0f},
    {"illumination", 19.0f},   {"activated", 20.0f},
};
}

void cSceneIntro::enter()
{
    show.cameraDistance = 2.4f;
    show.cameraPitch = 0.15f;
    show.cameraYaw = 3.1415927f;

    setWallFace(show.walls, faceNegX, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f);
    for (int face = facePosX; face < faceCount; ++face)
        setWallFace(show.walls, face, 0.8f, 0.8f, 0.8f, 0.0f, 1.0f);

    show.renderSettings.vwAlbedo = 0.84f;
    show.renderSettings.gamma = 1.457f;
    show.walls.emissivityMul = 0.0f;
    show.renderSettings.giBlend = 0.5f;
    show.renderSettings.falloff = 0.0f;
    show.renderSettings.samplingMode = 0;

    clearLabels(show.labels);
    show.renderSettings.refraction = false;
    textSet = 0;
    beginScript();
    phaseNames.clear();
    setTimedLabels(show.labels, introLabels, (int)(sizeof(introLabels) / sizeof(introLabels[0])));

    addTextSet(-1, 3.0f, 1.5f, 1.5f, 0.7f, 0.5f);
    addTextSet(0, 0.5f, 0.7f, 3.0f, 0.7f, 0.5f);
    addTextSet(1, 0.5f, 0.7f, 3.0f, 0.7f, 0.5f);
    addTextSet(2, 0.5f, 0.7f, 3.0f, 0.7f, 0.0f);
    timeline.phases.push_back(Phase{"wait at end", 3.0f, {}, {}});
    startTimeline(show, timeline);
}

void cSceneIntro::addTextSet(int set, float showDuration, float fadeInDuration, float holdDuration,
                             float fadeOutDuration, float tailDuration)
{
    phaseNames.push_back("text" + std::to_string(set));
    timeline.phases.push_back(Phase{phaseNames.back().c_str(), showDuration,
                                    [this, set] {
                                        show.walls.forceBlack = true;
                                        show.gi.giResetRequested = true;
                                        textSet = set;
                                        show.walls.emissivityMul = 0.0f;
                                    },
                                    {}});
    timeline.phases.push_back(Phase{"fade_in", fadeInDuration,
                                    [this] {
                                        show.walls.forceBlack = false;
                                        show.gi.giResetRequested = true;
                                        show.renderSettings.giBlend = 0.5f;
                                    },
                                    [this](float p, Phase&) {
                                        float s = std::min(p, 1.0f);
                                        show.walls.emissivityMul = s * s;
                                    }});
    timeline.phases.push_back(Phase{"hold", holdDuration, [this] { show.walls.emissivityMul = 1.0f; }, {}});
    timeline.phases.push_back(Phase{"fade_out", fadeOutDuration + tailDuration, {},
                                    [this, fadeOutDuration](float p, Phase& phase) {
                                        // Seconds into the phase over the fade time: the tail stays black.
                                        float s = std::min(p * phase.duration / fadeOutDuration, 1.0f);
                                        show.renderSettings.giBlend = 0.5f + 0.5f * s;
                                        show.walls.emissivityMul = 1.0f - s * s * s;
                                        if (s >= 1.0f)
                                            show.walls.forceBlack = true;
                                    }});
}

FillRequest cSceneIntro::fill() const
{
    return {(float)sceneTime(), {{"textSet", textSet}}};
}
