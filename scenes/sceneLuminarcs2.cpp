// scenes/sceneLuminarcs2.cpp
// The letters flicker on while the GI blends each frame, then the light converges progressively and freezes for a spin.
#include "scenes/sceneLuminarcs2.h"

#include "sequencer/orbit.h"
#include "sequencer/sharedCallbacks.h"
#include "sequencer/showState.h"

namespace {
const TimedLabel luminarcsLabels[] = {{"instable neon", 3.0f}, {"infinite rays", 8.0f}, {"activated", 9.0f}};
}

void cSceneLuminarcs2::enter()
{
    aimCamera(3.1415927f, 0.15f, 2.4f);

    show.renderSettings.refraction = true;
    show.renderSettings.refractionIOR = 1.03f;
    show.renderSettings.gamma = 0.67f;
    show.renderSettings.vwAlbedo = 0.27f;
    show.renderSettings.giBlend = 0.3f;
    show.renderSettings.multibounce = true;

    clearLabels(show.labels);
    setTimedLabels(show.labels, luminarcsLabels, (int)(sizeof(luminarcsLabels) / sizeof(luminarcsLabels[0])));

    setGreyWalls(show.walls, show.renderSettings.vwAlbedo);

    orbit = OrbitSnapshot{};
    zoomRatio = 0.0f;
    beginScript();
    timeline.phases.push_back(waitTransitionPhase(*this));
    timeline.phases.push_back(Phase{"neons", 4.0f, [this] { neonsStartSec = (float)sceneTime(); }, {}});
    timeline.phases.push_back(Phase{"rien", 4.0f, {}, {}});
    timeline.phases.push_back(Phase{"converge", 5.0f,
                                    [this] {
                                        show.gi.giAccumMode = giProgressive;
                                        orbitStart(*this)();
                                    },
                                    [this](float, Phase&) {
                                        orbitSway(show, orbit, 0.15f, 0.7f);
                                        if (show.beat.beatFlag)
                                            show.beat.hihatPulse = 1.0f;
                                    }});
    timeline.phases.push_back(Phase{"swipe", 5.0f, orbitStartAndFreeze(*this), orbitSpinUpStandard(*this)});
    startTimeline(show, timeline);
}

float cSceneLuminarcs2::neonTime() const
{
    return (float)sceneTime() - neonsStartSec;
}

FillRequest cSceneLuminarcs2::fill() const
{
    return {neonTime(), {{"s2Fog", s2Fog ? 1 : 0}, {"zoomRatio", zoomRatio}}};
}
