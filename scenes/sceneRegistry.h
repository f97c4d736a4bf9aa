// scenes/sceneRegistry.h
// One row per scene: where it sits in the scene table, its object, and how its fill program is composed.
#pragma once

#include <vector>

#include "gpu/programs.h"

class cSceneBase;

struct SceneRow {
    int tableIndex;
    cSceneBase* scene;
    const char* name;         // what the tools call it
    const char* programName;  // the fill program's name in build logs
    std::vector<const char*> pieces;  // library pieces and body, after the version line
    std::vector<float> benchMomentsSec;  // scene times that show its typical GPU load
};

// In the fill programs' build order.
const std::vector<SceneRow>& sceneRegistry();
// The fill programs of every registered scene, each stored in its scene's fillProgram.
std::vector<ProgramRow> sceneProgramRows();
// The registered name of a scene-table entry, or nullptr when the slot is empty.
const char* sceneName(int tableIndex);
// Slots in the scene table: one past the highest table index.
int sceneSlotCount();
// Sizes and fills sceneTable from the rows and points currentSceneIndex at the playlist's first entry.
void fillSceneTable();
