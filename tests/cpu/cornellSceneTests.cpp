// tests/cpu/cornellSceneTests.cpp
// The Cornell box script: the budget measured in the dark, the ray ramp and its count labels, convergence.
#include <string>
#include <vector>

#include "gpu/constants.h"
#include "gpu/giState.h"
#include "scenes/sceneCornell.h"
#include "sceneScriptRun.h"
#include "sequencer/renderSettings.h"
#include "sequencer/sceneSequence.h"
#include "sequencerFixture.h"

namespace {
class CornellScene : public SequencerFixture {
protected:
    cSceneCornell cornell;
    ScriptRun run{clock, cornell};

    void SetUp() override
    {
        SequencerFixture::SetUp();
        cSceneCornell::firstRayLabel = true;
        run.stepSec = 1.0 / 60.0;
    }

    void enterAt(double now)
    {
        clock.now = now;
        cornell.enter();
        run.begin();
    }

    // Plays "dark" with the ray-budget controller reporting a fixed value, then stops as "ramp" begins.
    void darkWithBudget(float rays)
    {
        ASSERT_TRUE(run.runUntilPhase("dark"));
        while (run.currentName() == "dark") {
            adaptiveRays = rays;
            run.frame();
        }
        ASSERT_EQ(run.currentName(), "ramp");
    }

    // Every number label the ramp pushed, with the rays per frame of each ramp frame.
    std::vector<std::string> rampLabels(std::vector<int>* raysPerFrame = nullptr)
    {
        size_t first = run.labelsShown.size();
        while (run.currentName() == "ramp") {
            run.frame();
            if (raysPerFrame && run.currentName() == "ramp")
                raysPerFrame->push_back(renderSettings.raysPerFrame);
        }
        std::vector<std::string> labels;
        for (size_t i = first; i < run.labelsShown.size(); ++i)
            if (run.labelsShown[i] != "maximum reached")
                labels.push_back(run.labelsShown[i]);
        return labels;
    }
};

std::vector<std::string> countLabels(int from, int to)
{
    std::vector<std::string> labels;
    for (int n = from; n <= to; ++n)
        labels.push_back(std::to_string(n));
    return labels;
}
}

TEST_F(CornellScene, StaysBlackWhileItMeasuresTheBudgetThenRampsToIt)
{
    enterAt(0.0);
    EXPECT_TRUE(gpuConstants.forceBlack);
    EXPECT_FLOAT_EQ(gpuConstants.emissivityMul, 0.0f);
    EXPECT_FLOAT_EQ(renderSettings.giBlend, 1.0f);
    EXPECT_EQ(renderSettings.samplingMode, 0);
    darkWithBudget(10.6f);
    EXPECT_EQ(cornell.maxRays, 11);
    EXPECT_FALSE(gpuConstants.forceBlack);
    EXPECT_FLOAT_EQ(cornell.lightIntensity, 1.0f);
    EXPECT_FALSE(renderSettings.adaptiveRaysEnabled);

    std::vector<int> rays;
    std::vector<std::string> labels = rampLabels(&rays);
    ASSERT_FALSE(rays.empty());
    EXPECT_EQ(rays.front(), 1);
    for (size_t i = 1; i < rays.size(); ++i)
        EXPECT_LE(rays[i - 1], rays[i]);
    // The last ramp frame has progress just above 1: the maximum, and never more.
    EXPECT_EQ(rays.back(), 11);
    EXPECT_EQ(renderSettings.raysPerFrame, 11);

    // One label per count, the first with its caption, none for the last two counts.
    std::vector<std::string> expected = countLabels(2, 8);
    expected.insert(expected.begin(), "rays per voxel: 1");
    EXPECT_EQ(labels, expected);

    EXPECT_EQ(run.currentName(), "maxed");
    EXPECT_TRUE(renderSettings.adaptiveRaysEnabled);
    EXPECT_FLOAT_EQ(adaptiveRays, 11.0f);
}

TEST_F(CornellScene, EveryNewRayCountStartsAFreshAccumulation)
{
    enterAt(0.0);
    darkWithBudget(4.0f);
    int resets = 0;
    int changes = 0;
    int previous = -1;
    giResetRequested = false;
    while (true) {
        run.frame();
        if (run.currentName() != "ramp")
            break;
        changes += renderSettings.raysPerFrame != previous ? 1 : 0;
        resets += giResetRequested ? 1 : 0;
        giResetRequested = false;
        previous = renderSettings.raysPerFrame;
    }
    // 1 (first frame), 2, 3, 4.
    EXPECT_EQ(changes, 4);
    EXPECT_EQ(resets, 4);
}

TEST_F(CornellScene, SmallBudgetsPushNoCountLabels)
{
    for (float budget : {1.0f, 2.0f, 3.0f, 3.4f}) {
        cSceneCornell::firstRayLabel = true;
        enterAt(0.0);
        darkWithBudget(budget);
        EXPECT_EQ(cornell.maxRays, (int)(budget + 0.5f));
        EXPECT_TRUE(rampLabels().empty()) << budget;
        EXPECT_TRUE(cSceneCornell::firstRayLabel) << budget;
    }
    // A budget of four is the smallest that shows a count.
    enterAt(0.0);
    darkWithBudget(4.0f);
    EXPECT_EQ(rampLabels(), std::vector<std::string>({"rays per voxel: 1"}));
}

TEST_F(CornellScene, ADarkPhaseWithoutSamplesMeansASingleRay)
{
    enterAt(0.0);
    ASSERT_TRUE(run.runUntilPhase("dark"));
    EXPECT_EQ(cornell.budgetSamples, 0);
    advancePhase(cornell.timeline);  // the dark phase ends before its first update
    EXPECT_EQ(run.currentName(), "ramp");
    EXPECT_EQ(cornell.maxRays, 1);
    EXPECT_EQ(renderSettings.raysPerFrame, 1);
    EXPECT_TRUE(rampLabels().empty());
}

TEST_F(CornellScene, OnlyTheFirstVisitOfTheRunCarriesTheCaption)
{
    enterAt(0.0);
    darkWithBudget(6.0f);
    std::vector<std::string> first = countLabels(2, 3);
    first.insert(first.begin(), "rays per voxel: 1");
    EXPECT_EQ(rampLabels(), first);

    enterAt(100.0);
    darkWithBudget(6.0f);
    EXPECT_EQ(rampLabels(), countLabels(1, 3));
}

TEST_F(CornellScene, ConvergesWithDefaultSettingsAndEndsAfterTheOrbit)
{
    enterAt(0.0);
    darkWithBudget(8.0f);
    ASSERT_TRUE(run.runUntilPhase("converge"));
    EXPECT_EQ(giAccumMode, giProgressive);
    EXPECT_FLOAT_EQ(renderSettings.giBlend, RenderSettings().giBlend);
    EXPECT_EQ(renderSettings.samplingMode, RenderSettings().samplingMode);
    EXPECT_EQ(renderSettings.raysPerFrame, RenderSettings().raysPerFrame);
    EXPECT_DOUBLE_EQ(cornell.orbit.time, clock.now);

    ASSERT_TRUE(run.runUntilPhase("orbit"));
    EXPECT_TRUE(labelLog.empty());
    run.runFor(5.1);
    EXPECT_TRUE(cornell.finished);

    std::vector<std::string> names;
    for (const PhaseStart& s : run.starts)
        names.push_back(s.name);
    EXPECT_EQ(names, std::vector<std::string>({"wait_transition", "dark", "ramp", "maxed", "luminarcs",
                                               "converge", "orbit"}));
    // Ten seconds of ramp, three at the maximum, one for the caption, seven converging; each phase ends on
    // the first frame past its duration, so it may run up to one frame long.
    const double sec[] = {10.0, 3.0, 1.0, 7.0};
    for (int i = 0; i < 4; ++i) {
        double length = run.starts[3 + i].at - run.starts[2 + i].at;
        EXPECT_GT(length, sec[i]) << run.starts[2 + i].name;
        EXPECT_LE(length, sec[i] + run.stepSec + 1e-9) << run.starts[2 + i].name;
    }
}
