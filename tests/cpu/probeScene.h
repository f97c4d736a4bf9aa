// tests/cpu/probeScene.h
// A scene that enters like the show's scenes do, records what it met, and plays a one-phase script.
#pragma once

#include <functional>
#include <vector>

#include "gpu/constants.h"
#include "gpu/giState.h"
#include "sequencer/labels.h"
#include "sequencer/renderSettings.h"
#include "sequencer/sceneBase.h"
#include "sequencer/sceneSequence.h"
#include "sequencer/sharedCallbacks.h"

class cProbeScene : public cSceneBase {
public:
    // Runs after the default settings are stored: the scene's own settings, camera and target.
    std::function<void(cProbeScene&)> setUp;
    bool waitsForCamera = false;
    float holdSec = 0.5f;

    int enters = 0;
    RenderSettings settingsAtEntry;
    GPUConstants constantsAtEntry;
    bool resetRequestedAtEntry = false;
    int giModeAtEntry = -1;
    std::vector<int>* entryLog = nullptr;

    void enter() override
    {
        ++enters;
        settingsAtEntry = renderSettings;
        constantsAtEntry = gpuConstants;
        resetRequestedAtEntry = giResetRequested;
        giModeAtEntry = giAccumMode;
        if (entryLog)
            entryLog->push_back(currentSceneIndex);

        renderSettings = RenderSettings();
        cameraTarget[0] = cameraTarget[1] = cameraTarget[2] = -999.0f;
        if (setUp)
            setUp(*this);
        clearLabels();
        beginScript();
        if (waitsForCamera)
            timeline.phases.push_back(waitTransitionPhase(*this));
        timeline.phases.push_back(Phase{"hold", holdSec, {}, {}});
        startTimeline(timeline);
    }
    void fill(int) override {}
};

// The frame loop's sequencer steps in their order: switch, update or transition step, advance.
struct SequencerFrames {
    int lastAppliedScene = -1;
    bool closeRequested = false;

    void frame()
    {
        if (currentSceneIndex != lastAppliedScene) {
            switchScene();
            lastAppliedScene = currentSceneIndex;
        }
        if (currentScene) {
            if (cameraTransitionActive)
                stepCameraTransition();
            else
                currentScene->update();
        }
        if (currentScene && currentScene->finished && advancePlaylist())
            closeRequested = true;
    }
};
