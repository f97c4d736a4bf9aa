// scenes/sceneGearLogo.h
// The closing scene: a glowing emblem turns into the cube, a festival caption scrolls by, the camera pulls away.
#pragma once

#include "sequencer/sceneBase.h"

class cSceneGearLogo : public cSceneBase {
public:
    using cSceneBase::cSceneBase;
    void enter() override;
    // Glides, turns and stops the emblem and brightens the walls, then steps the script.
    void update() override;
    FillRequest fill() const override;

    bool version2 = true;  // coloured emblem, emissive caption, no ceiling panels
    float logoZ = -0.5f;  // z of the emblem's centre
    float logoAngle = 0.0f;  // turn about the vertical axis, radians
    float logoEmissivity = 8.0f;  // kept across visits: only driven again 10 s into the next one
    bool stopped = false;  // the emblem rests on a whole turn
    float stopAngle = 0.0f;
};
