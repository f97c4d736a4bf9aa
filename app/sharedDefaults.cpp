// app/sharedDefaults.cpp
// One call that puts every piece of shared scene-facing state back to its start-up value.
#include "app/demoApp.h"

#include "audio/beat.h"
#include "gpu/constants.h"
#include "gpu/giState.h"
#include "gpu/renderSettings.h"
#include "gpu/viewLayouts.h"
#include "sequencer/camera.h"
#include "sequencer/demoClock.h"
#include "sequencer/labels.h"
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
}
