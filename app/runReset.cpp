// app/runReset.cpp
// The calls that put state living for the whole run back to its start-up value, between shows and between tests.
#include "app/demoApp.h"

#include "audio/beat.h"
#include "gpu/constants.h"
#include "gpu/giState.h"
#include "gpu/occupancy.h"
#include "gpu/renderSettings.h"
#include "gpu/viewLayouts.h"
#include "scenes/sceneRegistry.h"
#include "sequencer/camera.h"
#include "sequencer/demoClock.h"
#include "sequencer/labels.h"
#include "sequencer/sceneBase.h"
#include "sequencer/sceneSequence.h"

void restoreSharedDefaults()
{
    renderSettings = RenderSettings();
    gpuConstants = GPUConstants();
    resetCameraDefaults();
    resetGiStateDefaults();
    resetBeatDefaults();
    clearLabels();
    resetSceneSequence();
    setDemoClock(0.0);
    viewLayout = 0;
    revealY = 1.0f;
    emptySpaceSkipping = true;
}

void resetRun()
{
    restoreSharedDefaults();
    for (const SceneRow& row : sceneRegistry())
        row.scene->resetRun();
    fillSceneTable();
}
