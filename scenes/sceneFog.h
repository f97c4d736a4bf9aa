// scenes/sceneFog.h
// Drifting fog around a tumbling cube, lit by a wall rig that changes every four seconds; the camera jumps on the beat.
#pragma once

#include <cstdint>

#include "sequencer/sceneBase.h"

class cSceneFog : public cSceneBase {
public:
    using cSceneBase::cSceneBase;
    void enter() override;
    // Steps the script, switches the lighting rig when its time comes and jumps the camera on beats.
    void update() override;
    FillRequest fill() const override;

    // The rig for the current scene time: 0 to 4, each lasting secondsPerLight.
    int lightIndex() const;

    int currentLight = -1;     // rig on the walls, -1 before the first update
    uint32_t jitterSeed = 42;  // state of the camera-jump generator; carries on across visits
    float baseYaw = 2.79f;     // the beat jumps are relative to it
    int cycleCount = 0;        // completed rounds of the five rigs
    float secondsPerLight = 4.0f;

    // Fixed for the show.
    float fogThresholdP = 0.43f;
    float fogMaskCutP = 0.3f;
    float fogDensityMulP = 0.8f;
    float fogMaxDensityP = 0.05f;
    float fogAdvStrP = 0.25f;
    float fogFreqP = 1.0f;
    int fogAlgo = 0;  // 0 fbm, 1 curl-noise advection
};
