// sequencer/sharedCallbacks.cpp
#include "sequencer/sharedCallbacks.h"

#include "sequencer/orbit.h"
#include "sequencer/sceneBase.h"
#include "sequencer/showState.h"

std::function<void(float, Phase&)> waitForCamera(cSceneBase& scene)
{
    return [s = &scene](float, Phase&) {
        if (!s->show.sequence.cameraTransitionActive)
            advancePhase(s->show, s->timeline);
    };
}

std::function<void()> orbitStart(cSceneBase& scene)
{
    return [s = &scene] {
        const ShowState& show = s->show;
        s->orbit = {show.cameraYaw, show.cameraPitch, show.cameraDistance, show.demoClock};
    };
}

std::function<void()> orbitStartAndFreeze(cSceneBase& scene)
{
    return [s = &scene, snapshot = orbitStart(scene)] {
        s->show.gi.giAccumMode = giFrozen;
        snapshot();
    };
}

std::function<void(float, Phase&)> orbitTurnStandard(cSceneBase& scene)
{
    return [s = &scene](float, Phase&) { orbitTurn(s->show, s->orbit, 0.4f, 0.07f, 0.15f, 2.0f); };
}

std::function<void(float, Phase&)> orbitSpinUpStandard(cSceneBase& scene)
{
    return [s = &scene](float, Phase&) { orbitSpinUp(s->show, s->orbit, 0.2f, 16.0f, 0.3f, 1.0f); };
}

Phase waitTransitionPhase(cSceneBase& scene, std::function<void()> onStart)
{
    return Phase{"wait_transition", -1.0f, std::move(onStart), waitForCamera(scene)};
}
