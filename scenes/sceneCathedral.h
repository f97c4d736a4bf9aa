// scenes/sceneCathedral.h
// A nave lit only by a stained-glass window, with glass plates that refract its light.
#pragma once

#include "sequencer/sceneBase.h"

class cSceneCathedral : public cSceneBase {
public:
    using cSceneBase::cSceneBase;
    void enter() override;
    // Hands the GI over to progressive accumulation on the second update, then steps the script.
    void update() override;

    int frameCounter = 0;  // updates run in running-average mode since entry
};
