// scenes/sceneCornell.h
// A Cornell box that shows the GI pass at work: measure the ray budget in the dark, ramp the rays, converge.
#pragma once

#include "sequencer/sceneBase.h"

class cSceneCornell : public cSceneBase {
public:
    using cSceneBase::cSceneBase;
    void enter() override;
    FillRequest fill() const override;

    // One frame of the "ramp" phase: rays per voxel climb from 1 to maxRays as p goes from 0 to 1.
    void rampRays(float p);

    char labelText[64] = "";
    int lastRays = -1;
    int maxRays = 16;
    float budgetSum = 0.0f;
    int budgetSamples = 0;
    float lightIntensity = 0.0f;

    // The first ray count labelled in the whole run carries a caption prefix; later visits show bare numbers.
    bool firstRayLabel = true;

private:
    int prefixedRays = -1;  // the count that took the prefix on this visit, -1 when none did
};
