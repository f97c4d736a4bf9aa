// tests/cpu/rayBudgetTests.cpp
#include <gtest/gtest.h>

#include <cmath>

#include "gpu/giState.h"
#include "gpu/rayBudget.h"
#include "sequencer/renderSettings.h"

TEST(RayBudget, SettlesAtTheBudgetWithoutOvershootOnALinearCostModel)
{
    // Cost proportional to rays: the budget is met at 14 / msPerRay rays.
    for (float msPerRay : {0.07f, 0.25f, 1.0f, 3.5f}) {
        for (float start : {1.0f, 16.0f, 256.0f}) {
            // At 0.5 ms or less the controller deliberately stays idle.
            if (msPerRay * start <= 0.5f)
                continue;
            float target = rayBudgetMs / msPerRay;
            float rays = start;
            bool above = start > target;
            for (int frame = 0; frame < 300; ++frame) {
                rays = stepRayBudget(rays, msPerRay * rays);
                ASSERT_GE(rays, 1.0f);
                ASSERT_LE(rays, 256.0f);
                // Approaching from one side only: no oscillation around the budget.
                if (std::fabs(rays - target) > 1e-3f * target) {
                    EXPECT_EQ(rays > target, above) << "msPerRay " << msPerRay << " start " << start;
                }
            }
            EXPECT_NEAR(rays, target, 1e-3f * target) << "msPerRay " << msPerRay << " start " << start;
        }
    }
}

TEST(RayBudget, BacksOffFasterThanItClimbsAndStaysInRange)
{
    float over = stepRayBudget(100.0f, 28.0f);
    float under = stepRayBudget(100.0f, 7.0f);
    EXPECT_FLOAT_EQ(over, 100.0f * (1.0f + 0.3f * (14.0f / 28.0f - 1.0f)));
    EXPECT_FLOAT_EQ(under, 100.0f * (1.0f + 0.1f * (14.0f / 7.0f - 1.0f)));
    // A cheap machine saturates at 256 rays, an overloaded one at 1.
    float rays = 16.0f;
    for (int frame = 0; frame < 200; ++frame)
        rays = stepRayBudget(rays, 0.6f);
    EXPECT_EQ(rays, 256.0f);
    for (int frame = 0; frame < 200; ++frame)
        rays = stepRayBudget(rays, 1000.0f);
    EXPECT_EQ(rays, 1.0f);
}

TEST(RayBudget, ControllerIdlesWhenFrozenOrIdleAndCopiesRoundedRays)
{
    resetGiStateDefaults();
    renderSettings = RenderSettings{};
    gpuFillMs = 1.0f;
    gpuGiMs = 30.0f;
    gpuRenderMs = 4.0f;
    giAccumMode = giFrozen;
    stepRayBudgetController();
    EXPECT_EQ(adaptiveRays, 16.0f);
    EXPECT_EQ(renderSettings.raysPerFrame, 16);

    giAccumMode = giRunningAverage;
    gpuFillMs = 0.1f;
    gpuGiMs = 0.2f;
    gpuRenderMs = 0.2f;
    stepRayBudgetController();
    EXPECT_EQ(adaptiveRays, 16.0f);

    gpuFillMs = 1.0f;
    gpuGiMs = 30.0f;
    gpuRenderMs = 4.0f;
    stepRayBudgetController();
    float expected = 16.0f * (1.0f + 0.3f * (14.0f / 35.0f - 1.0f));
    EXPECT_FLOAT_EQ(adaptiveRays, expected);
    EXPECT_EQ(renderSettings.raysPerFrame, (int)std::lround(expected));

    renderSettings.adaptiveRaysEnabled = false;
    renderSettings.raysPerFrame = 3;
    stepRayBudgetController();
    EXPECT_EQ(renderSettings.raysPerFrame, 3);
    EXPECT_LT(adaptiveRays, expected);
    resetGiStateDefaults();
    renderSettings = RenderSettings{};
}
