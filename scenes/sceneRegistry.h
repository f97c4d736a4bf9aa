// scenes/sceneRegistry.h
// One row per scene: where it sits in the scene table, how a show makes its object, and how its fill program is
// composed.
#pragma once

#include <memory>
#include <vector>

#include "gpu/programs.h"

class cSceneBase;
struct ShowState;

struct SceneRow {
    int tableIndex;
    std::unique_ptr<cSceneBase> (*make)(ShowState& show);
    const char* name;         // what the tools call it
    const char* programName;  // the fill program's name in build logs
    std::vector<const char*> pieces;  // library pieces and body, after the version line
    std::vector<float> benchMomentsSec;  // scene times that show its typical GPU load
};

// In the fill programs' build order; a scene's fillRow is its position here.
const std::vector<SceneRow>& sceneRegistry();
// The fill program of every registered scene, in registry order.
std::vector<ProgramRow> sceneProgramRows();
// The registered name of a scene-table entry, or nullptr when the slot is empty.
const char* sceneName(int tableIndex);
// The registry row of a scene-table entry, or -1 when the slot is empty.
int sceneRowOf(int tableIndex);
// Slots in the scene table: one past the highest table index.
int sceneSlotCount();
