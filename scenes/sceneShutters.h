// scenes/sceneShutters.h
// A grey room whose three roller shutters open one after another onto strongly emissive coloured panes.
#pragma once

#include "sequencer/sceneBase.h"

class cSceneShutters : public cSceneBase {
public:
    using cSceneBase::cSceneBase;
    void enter() override;
};
