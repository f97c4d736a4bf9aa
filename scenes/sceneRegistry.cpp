// scenes/sceneRegistry.cpp
// The show's scene objects: static, alive for the whole run, entered afresh at every switch.
#include "scenes/sceneRegistry.h"

#include <algorithm>

#include "scenes/sceneAmigaBall.h"
#include "scenes/sceneCathedral.h"
#include "scenes/sceneCloudLightning.h"
#include "scenes/sceneCornell.h"
#include "scenes/sceneFog.h"
#include "scenes/sceneGearLogo.h"
#include "scenes/sceneIntro.h"
#include "scenes/sceneLuminarcs2.h"
#include "scenes/sceneMetaballs2.h"
#include "scenes/sceneShutters.h"
#include "sequencer/sceneSequence.h"
#include "shaderSources.h"

namespace {
cSceneMetaballs2 sceneMetaballs2;
cSceneFog sceneFog;
cSceneCloudLightning sceneCloudLightning;
cSceneLuminarcs2 sceneLuminarcs2;
cSceneGearLogo sceneGearLogo;
cSceneAmigaBall sceneAmigaBall;
cSceneShutters sceneShutters;
cSceneIntro sceneIntro;
cSceneCathedral sceneCathedral;
cSceneCornell sceneCornell;

// Every fill starts with the Constants block and the fill library.
const std::vector<SceneRow> rows = {
    {0, &sceneMetaballs2, "metaballs", "fillMetaballs2",
     {constants_glsl, noise_glsl, vol_write_glsl, fillMetaballs2_glsl}, {10.0f, 22.0f}},
    {1, &sceneFog, "fog", "fillFog", {constants_glsl, noise_glsl, vol_write_glsl, fillFog_glsl}, {6.0f, 18.0f}},
    {8, &sceneCloudLightning, "cloud", "fillCloudLightning",
     {constants_glsl, noise_glsl, vol_write_glsl, fillCloudLightning_glsl}, {5.0f}},
    {5, &sceneLuminarcs2, "name", "fillLuminarcs2",
     {constants_glsl, noise_glsl, vol_write_glsl, font_glsl, fillLuminarcs2_glsl}, {11.0f}},
    {4, &sceneGearLogo, "logo", "fillGearLogo",
     {constants_glsl, noise_glsl, vol_write_glsl, font_glsl, gear_logo_glsl, fillGearLogo_glsl}, {20.0f}},
    {6, &sceneAmigaBall, "amiga", "fillAmigaBall", {constants_glsl, noise_glsl, vol_write_glsl, fillAmigaBall_glsl},
     {6.0f, 21.5f}},
    {7, &sceneShutters, "shutters", "fillShutters", {constants_glsl, vol_write_glsl, fillShutters_glsl}, {10.0f}},
    {9, &sceneIntro, "intro", "fillIntro", {constants_glsl, vol_write_glsl, font_glsl, fillIntro_glsl}, {9.0f}},
    {3, &sceneCathedral, "cathedral", "fillCathedral", {constants_glsl, vol_write_glsl, fillCathedral_glsl}, {6.0f}},
    {2, &sceneCornell, "cornell", "fillCornell", {constants_glsl, vol_write_glsl, fillCornell_glsl}, {12.0f, 20.0f}},
};
}

const std::vector<SceneRow>& sceneRegistry()
{
    return rows;
}

std::vector<ProgramRow> sceneProgramRows()
{
    std::vector<ProgramRow> programRows;
    for (const SceneRow& row : rows)
        programRows.push_back({row.programName, row.pieces, &row.scene->fillProgram});
    return programRows;
}

const char* sceneName(int tableIndex)
{
    for (const SceneRow& row : rows)
        if (row.tableIndex == tableIndex)
            return row.name;
    return nullptr;
}

int sceneSlotCount()
{
    int slots = 0;
    for (const SceneRow& row : rows)
        slots = std::max(slots, row.tableIndex + 1);
    return slots;
}

void fillSceneTable()
{
    sceneTable.assign(sceneSlotCount(), nullptr);
    for (const SceneRow& row : rows)
        sceneTable[row.tableIndex] = row.scene;
    currentSceneIndex = scenePlaylist.empty() ? -1 : scenePlaylist[0];
}
