// sequencer/showState.h
// Everything a show changes while it plays, in one place: scenes write it, the frame step turns it into a plan.
// A new value is a show at its start, so nothing needs putting back between shows.
#pragma once

#include "audio/beat.h"
#include "gpu/constants.h"
#include "gpu/giState.h"
#include "gpu/renderSettings.h"
#include "sequencer/camera.h"
#include "sequencer/labels.h"
#include "sequencer/sceneSequence.h"

struct ShowState {
    // The show time of the current frame: every timeline, label and orbit of the frame reads this one value.
    double demoClock = 0.0;
    BeatState beat;
    float cameraYaw = 1.0466667f;
    float cameraPitch = 0.7f;
    float cameraDistance = 1.4f;
    ViewAnchor viewAnchor;
    int viewLayout = 0;
    RenderSettings renderSettings;
    WallLights walls;
    GiState gi;
    LabelState labels;
    SceneSequence sequence;
};
