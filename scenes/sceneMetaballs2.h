// scenes/sceneMetaballs2.h
// Metaballs that spawn one by one and cling to the walls; the camera turns, then tumbles as the views jump on the beat.
#pragma once

#include <random>

#include "sequencer/sceneBase.h"

class cSceneMetaballs2 : public cSceneBase {
public:
    using cSceneBase::cSceneBase;
    void enter() override;

    // One frame of the "explore" phase: beat kicks, layout jumps and the two-axis tumble.
    void explore(float p);

    bool exploreStarted = false;  // the first layout change has pulled the camera in and darkened the background

    // Both live for the whole run, so a later visit goes on from where the last one left them.
    double lastLayoutChange = 0.0;
    // The one source of layout draws, seeded once so a replay of the same beats shows the same layouts.
    std::minstd_rand layoutRandom{20240611u};
};
