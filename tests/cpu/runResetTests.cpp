// tests/cpu/runResetTests.cpp
// A second show in the same process plays as the first: the run reset puts back what scenes keep across visits.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "app/demoApp.h"
#include "gpu/renderSettings.h"
#include "gpu/viewLayouts.h"
#include "scenes/sceneCloudLightning.h"
#include "scenes/sceneCornell.h"
#include "scenes/sceneFog.h"
#include "scenes/sceneGearLogo.h"
#include "scenes/sceneMetaballs2.h"
#include "scenes/sceneRegistry.h"
#include "sequencer/camera.h"
#include "sequencer/labels.h"
#include "sequencer/sceneSequence.h"

namespace {
constexpr int fps = 60;

// What the scenes keep across visits.
std::string keptState()
{
    std::ostringstream kept;
    kept << cSceneMetaballs2::layoutRandom << " " << cSceneMetaballs2::lastLayoutChange << " "
         << cSceneCornell::firstRayLabel;
    for (const SceneRow& row : sceneRegistry()) {
        if (auto* cloud = dynamic_cast<const cSceneCloudLightning*>(row.scene))
            kept << " " << cloud->strikeCount << " " << cloud->beatCount << " " << cloud->strikeTime;
        if (auto* fog = dynamic_cast<const cSceneFog*>(row.scene))
            kept << " " << fog->jitterSeed;
        if (auto* logo = dynamic_cast<const cSceneGearLogo*>(row.scene))
            kept << " " << logo->logoEmissivity;
    }
    return kept.str();
}

// One line per frame: the scene entered last, the camera, the layout, the rays, the newest caption and what the
// scenes keep.
std::vector<std::string> playShow(long frames)
{
    std::vector<std::string> seen;
    for (long frame = 0; frame < frames; ++frame) {
        rehearseFrame(fixedStepInput(frame, fps));
        std::ostringstream line;
        line << frame << " " << lastAppliedScene << " " << cameraYaw << " " << cameraPitch << " " << cameraDistance
             << " " << viewLayout << " " << renderSettings.raysPerFrame << " "
             << (labelLog.empty() ? "" : labelLog.back().text) << " " << keptState();
        seen.push_back(line.str());
    }
    return seen;
}
}

TEST(RunReset, ASecondShowInTheSameProcessPlaysFrameForFrameAsTheFirst)
{
    const long frames = countShowFrames(fps, 300 * fps);
    ASSERT_GT(frames, 100 * fps);
    const std::vector<std::string> first = playShow(frames);
    resetRun();
    // What a scene object keeps is back to what a new one holds.
    const cSceneCloudLightning newCloud;
    for (const SceneRow& row : sceneRegistry()) {
        if (auto* cloud = dynamic_cast<const cSceneCloudLightning*>(row.scene)) {
            EXPECT_TRUE(cloud->strikeCount == newCloud.strikeCount && cloud->beatCount == newCloud.beatCount &&
                        cloud->strikeTime == newCloud.strikeTime);
        }
        if (auto* fog = dynamic_cast<const cSceneFog*>(row.scene)) {
            EXPECT_EQ(fog->jitterSeed, cSceneFog().jitterSeed);
        }
        if (auto* logo = dynamic_cast<const cSceneGearLogo*>(row.scene)) {
            EXPECT_EQ(logo->logoEmissivity, cSceneGearLogo().logoEmissivity);
        }
    }
    const std::vector<std::string> second = playShow(frames);
    ASSERT_EQ(first.size(), second.size());
    for (size_t i = 0; i < first.size(); ++i)
        ASSERT_EQ(first[i], second[i]) << "the shows part at frame " << i;
    // The Cornell box prefixes only the first ray count of a run, so a run that was not reset shows none.
    EXPECT_TRUE(std::any_of(first.begin(), first.end(),
                            [](const std::string& line) { return line.find("rays per voxel") != std::string::npos; }));
    resetRun();
}
