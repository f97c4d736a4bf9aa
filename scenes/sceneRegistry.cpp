// scenes/sceneRegistry.cpp
// The show's scenes: each show makes its own objects from these rows, alive for its whole run and entered afresh
// at every switch.
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
#include "shaderSources.h"

namespace {
template <class Scene>
std::unique_ptr<cSceneBase> make(ShowState& show)
{
    return std::make_unique<Scene>(show);
}

// Every fill starts with the Constants block and the fill library.
const std::vector<SceneRow> rows = {
    {0, make<cSceneMetaballs2>, "metaballs", "fillMetaballs2",
     {constants_glsl, noise_glsl, vol_write_glsl, fillMetaballs2_glsl}, {10.0f, 22.0f}},
    {1, make<cSceneFog>, "fog", "fillFog", {constants_glsl, noise_glsl, vol_write_glsl, fillFog_glsl}, {6.0f, 18.0f}},
    {8, make<cSceneCloudLightning>, "cloud", "fillCloudLightning",
     {constants_glsl, noise_glsl, vol_write_glsl, fillCloudLightning_glsl}, {5.0f}},
    {5, make<cSceneLuminarcs2>, "name", "fillLuminarcs2",
     {constants_glsl, noise_glsl, vol_write_glsl, font_glsl, fillLuminarcs2_glsl}, {11.0f}},
    {4, make<cSceneGearLogo>, "logo", "fillGearLogo",
     {constants_glsl, noise_glsl, vol_write_glsl, font_glsl, gear_logo_glsl, fillGearLogo_glsl}, {20.0f}},
    {6, make<cSceneAmigaBall>, "amiga", "fillAmigaBall", {constants_glsl, noise_glsl, vol_write_glsl, fillAmigaBall_glsl},
     {6.0f, 21.5f}},
    {7, make<cSceneShutters>, "shutters", "fillShutters", {constants_glsl, vol_write_glsl, fillShutters_glsl}, {10.0f}},
    {9, make<cSceneIntro>, "intro", "fillIntro", {constants_glsl, vol_write_glsl, font_glsl, fillIntro_glsl}, {9.0f}},
    {3, make<cSceneCathedral>, "cathedral", "fillCathedral", {constants_glsl, vol_write_glsl, fillCathedral_glsl}, {6.0f}},
    {2, make<cSceneCornell>, "cornell", "fillCornell", {constants_glsl, vol_write_glsl, fillCornell_glsl}, {12.0f, 20.0f}},
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
        programRows.push_back({row.programName, row.pieces});
    return programRows;
}

const char* sceneName(int tableIndex)
{
    int row = sceneRowOf(tableIndex);
    return row >= 0 ? rows[row].name : nullptr;
}

int sceneRowOf(int tableIndex)
{
    for (size_t i = 0; i < rows.size(); ++i)
        if (rows[i].tableIndex == tableIndex)
            return (int)i;
    return -1;
}

int sceneSlotCount()
{
    int slots = 0;
    for (const SceneRow& row : rows)
        slots = std::max(slots, row.tableIndex + 1);
    return slots;
}
