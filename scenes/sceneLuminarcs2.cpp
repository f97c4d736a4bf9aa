// scenes/sceneLuminarcs2.cpp
// The letters flicker on while the GI blends each frame, then the light converges progressively and freezes for a spin.
#include "scenes/sceneLuminarcs2.h"

#include "audio/beat.h"
#include "gpu/constants.h"
#include "gpu/fillDispatch.h"
#include "gpu/giState.h"
#include "gpu/renderSettings.h"
#include "sequencer/labels.h"
#include "sequencer/orbit.h"
#include "sequencer/sharedCallbacks.h"

namespace {
const TimedLabel luminarcsLabels[] = {{"instable neon", 3.0f}, {"infinite rays", 8.0f}, {"activated", 9.0f}};
}

void cSceneLuminarcs2::enter()
{
    renderSettings = RenderSettings{};
    aimCamera(3.1415927f, 0.15f, 2.4f);

    renderSettings.refraction = true;
    renderSettings.refractionIOR = 1.03f;
    renderSettings.gamma = 0.67f;
    renderSettings.vwAlbedo = 0.27f;
    renderSettings.giBlend = 0.3f;
    renderSettings.multibounce = true;

    clearLabels();
    setTimedLabels(luminarcsLabels, (int)(sizeof(luminarcsLabels) / sizeof(luminarcsLabels[0])));

    wallReset();
    uploadConstants();

    orbit = OrbitSnapshot{};
    zoomRatio = 0.0f;
    beginScript();
    timeline.phases.push_back(waitTransitionPhase(*this));
    timeline.phases.push_back(Phase{"neons", 4.0f, [this] { neonsStartSec = (float)sceneTime(); }, {}});
    timeline.phases.push_back(Phase{"rien", 4.0f, {}, {}});
    timeline.phases.push_back(Phase{"converge", 5.0f,
                                    [this] {
                                        giAccumMode = giProgressive;
                                        orbitStart(*this)();
                                    },
                                    [this](float, Phase&) {
                                        orbitSway(orbit, 0.15f, 0.7f);
                                        if (beatFlag)
                                            hihatPulse = 1.0f;
                                    }});
    timeline.phases.push_back(Phase{"swipe", 5.0f, orbitStartAndFreeze(*this), orbitSpinUpStandard(*this)});
    startTimeline(timeline);
}

float cSceneLuminarcs2::neonTime() const
{
    return (float)sceneTime() - neonsStartSec;
}

void cSceneLuminarcs2::fill(int volSize)
{
    dispatchFill(fillProgram, volSize, neonTime(), [this](const FillUniforms& u) {
        u.setInt("s2Fog", s2Fog ? 1 : 0);
        u.setFloat("zoomRatio", zoomRatio);
    });
}
