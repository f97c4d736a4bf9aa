// scenes/sceneTable.cpp
// The show's scene objects: static, alive for the whole run, entered afresh at every switch.
#include "sequencer/sceneSequence.h"

#include "scenes/sceneCathedral.h"
#include "scenes/sceneCornell.h"
#include "scenes/sceneIntro.h"
#include "scenes/sceneShutters.h"

namespace {
cSceneIntro sceneIntro;
cSceneCornell sceneCornell;
cSceneCathedral sceneCathedral;
cSceneShutters sceneShutters;
}

void fillSceneTable()
{
    sceneTable[2] = &sceneCornell;
    sceneTable[3] = &sceneCathedral;
    sceneTable[7] = &sceneShutters;
    sceneTable[9] = &sceneIntro;
    currentSceneIndex = scenePlaylist.empty() ? -1 : scenePlaylist[0];
}
