// scenes/sceneLuminarcs2.h
// The group's name as nine neon letters that light up one by one, the only light in a hazy cube.
#pragma once

#include "sequencer/sceneBase.h"

class cSceneLuminarcs2 : public cSceneBase {
public:
    using cSceneBase::cSceneBase;
    void enter() override;
    FillRequest fill() const override;

    // Seconds the letters have been running: scene time from the start of "neons" on.
    float neonTime() const;

    bool s2Fog = true;  // haze in the empty voxels
    float zoomRatio = 1.0f;  // 0 two centred lines, 1 a giant first letter
    float neonsStartSec = 0.0f;  // scene time at which "neons" began
};
