// scenes/sceneCloudLightning.h
// A dark storm cloud with holes, struck by a lightning bolt on the beat while the camera turns.
#pragma once

#include "sequencer/sceneBase.h"

class cSceneCloudLightning : public cSceneBase {
public:
    using cSceneBase::cSceneBase;
    void enter() override;
    // Counts a new beat and strikes on the chosen ones, then steps the script.
    void update() override;
    FillRequest fill() const override;

    // These three run for the whole program, across visits; the bolt shape follows the strike count.
    double strikeTime = -999.0;
    int strikeCount = 0;
    int beatCount = 0;
    bool everyOtherBeat = true;  // while set, only even beat counts strike

    float fogThresholdP = 0.489f;
    float fogMaskCutP = 0.0f;
    float fogDensityMulP = 2.792f;
    float fogMaxDensityP = 0.055f;
    float fogFreqP = 5.0f;
};
