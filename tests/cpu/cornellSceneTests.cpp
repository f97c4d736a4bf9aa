// tests/cpu/cornellSceneTests.cpp
// The Cornell box script: the budget measured in the dark, the ray ramp and its count labels, convergence.
#include <algorithm>
#include <string>
#include <vector>

#include "gpu/constants.h"
#include "gpu/giState.h"
#include "gpu/renderSettings.h"
#include "scenes/sceneCornell.h"
#include "sequencer/labels.h"
#include "sequencerFixture.h"

namespace {
class CornellScene : public SequencerFixture {
protected:
    cSceneCornell cornell;
    ScriptRun run{cornell, 1.0 / 60.0};

    // Enters and plays "dark" with the ray-budget controller reporting a fixed value, up to the start of "ramp".
    void enterAndMeasure(float budget)
    {
        run.enterAt(0.0);
        ASSERT_TRUE(run.runUntil("dark"));
        while (run.phase() == "dark") {
            adaptiveRays = budget;
            run.frame();
            // Black while measuring, the light out and the GI taking each frame whole.
            EXPECT_TRUE(run.phase() != "dark" || (gpuConstants.forceBlack && gpuConstants.emissivityMul == 0.0f &&
                                                  cornell.lightIntensity == 0.0f && renderSettings.giBlend == 1.0f));
        }
        ASSERT_EQ(run.phase(), "ramp");
    }
};
}

TEST_F(CornellScene, RampClimbsToTheBudgetResettingOnEachCountAndLabelsAllButTheLastTwo)
{
    const struct {
        float budget;
        bool firstVisit;
        int maxRays;
        std::vector<std::string> labels;
    } cases[] = {
        {10.6f, true, 11, {"rays per voxel: 1", "2", "3", "4", "5", "6", "7", "8"}},
        {1.0f, true, 1, {}},
        {3.4f, true, 3, {}},
        {4.0f, true, 4, {"rays per voxel: 1"}},
        {6.0f, false, 6, {"1", "2", "3"}},  // later visits of the run show bare counts
    };
    for (const auto& c : cases) {
        cSceneCornell::firstRayLabel = c.firstVisit;
        enterAndMeasure(c.budget);
        EXPECT_EQ(cornell.maxRays, c.maxRays) << c.budget;
        EXPECT_FALSE(renderSettings.adaptiveRaysEnabled);  // the controller must not overwrite the ramp's counts
        std::vector<int> rays;
        std::vector<std::string> labels;
        int resets = 0;
        while (run.phase() == "ramp") {
            giResetRequested = false;
            run.frame();
            rays.push_back(renderSettings.raysPerFrame);
            resets += giResetRequested ? 1 : 0;
            // The newest entry, if this frame added it.
            if (!labelLog.empty() && labelLog.back().shown == (float)demoClock() &&
                labelLog.back().text != "maximum reached")
                labels.push_back(labelLog.back().text);
        }
        EXPECT_EQ(rays.front(), 1) << c.budget;
        EXPECT_EQ(rays.back(), c.maxRays) << c.budget;  // the frame that ends the ramp sits at the maximum
        EXPECT_TRUE(std::is_sorted(rays.begin(), rays.end())) << c.budget;
        EXPECT_EQ(resets, c.maxRays) << c.budget;  // a fresh accumulation for each count
        EXPECT_EQ(labels, c.labels) << c.budget;
        EXPECT_EQ(cSceneCornell::firstRayLabel, c.firstVisit && c.labels.empty()) << c.budget;
    }

    // A dark phase that ended before its first update measured nothing: a single ray.
    run.enterAt(0.0);
    ASSERT_TRUE(run.runUntil("dark"));
    advancePhase(cornell.timeline);
    EXPECT_EQ(cornell.maxRays, 1);
    EXPECT_EQ(renderSettings.raysPerFrame, 1);
}

TEST_F(CornellScene, LitAfterMeasuringThenConvergesFromTheMeasuredBudgetWithDefaults)
{
    enterAndMeasure(8.0f);
    EXPECT_FALSE(gpuConstants.forceBlack);
    EXPECT_FLOAT_EQ(cornell.lightIntensity, 1.0f);
    ASSERT_TRUE(run.runUntil("maxed"));
    EXPECT_TRUE(renderSettings.adaptiveRaysEnabled);
    EXPECT_FLOAT_EQ(adaptiveRays, 8.0f);  // the controller resumes from the measured budget
    ASSERT_TRUE(run.runUntil("converge"));
    EXPECT_EQ(giAccumMode, giProgressive);
    EXPECT_FLOAT_EQ(renderSettings.giBlend, RenderSettings().giBlend);
    EXPECT_EQ(renderSettings.raysPerFrame, RenderSettings().raysPerFrame);
    ASSERT_TRUE(run.runUntil("orbit"));
    EXPECT_TRUE(labelLog.empty());
    EXPECT_TRUE(run.runUntil(""));
}
