// tests/cpu/runResetTests.cpp
// A second show in the same process plays as the first: the run reset puts back what scenes keep across visits.
#include <gtest/gtest.h>

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

// One line per frame: the scene entered last, the camera, the layout, the rays and the newest caption.
std::vector<std::string> playShow(long frames)
{
    std::vector<std::string> seen;
    for (long frame = 0; frame < frames; ++frame) {
        rehearseFrame(fixedStepInput(frame, fps));
        std::ostringstream line;
        line << frame << " " << lastAppliedScene << " " << cameraYaw << " " << cameraPitch << " " << cameraDistance
             << " " << viewLayout << " " << renderSettings.raysPerFrame << " "
             << (labelLog.empty() ? "" : labelLog.back().text);
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
    // The statics are upset before the reset, so one it misses shows in the frames.
    cSceneMetaballs2::lastLayoutChange = -1e9;
    cSceneMetaballs2::layoutRandom.discard(1);
    cSceneCornell::firstRayLabel = !cSceneCornell::firstRayLabel;
    resetRun();
    // What a scene object keeps across visits is back to what a new one holds.
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
    resetRun();
}
