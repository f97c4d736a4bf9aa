// sequencer/timeline.h
// A scene's script: timed phases with start and per-frame callbacks, stepped on the show's clock.
#pragma once

#include <functional>
#include <vector>

class cSceneBase;
struct ShowState;

struct Phase {
    const char* name = "";
    float duration = -1.0f;  // <= 0: open-ended, ends only through advancePhase
    std::function<void()> onStart;
    std::function<void(float progress, Phase& phase)> onUpdate;
};

struct SceneTimeline {
    std::vector<Phase> phases;
    int index = 0;
    double phaseStart = 0.0;
    double sceneStart = 0.0;
    cSceneBase* owner = nullptr;
};

void startTimeline(ShowState& show, SceneTimeline& timeline);
void updateTimeline(ShowState& show, SceneTimeline& timeline);
void advancePhase(ShowState& show, SceneTimeline& timeline);
