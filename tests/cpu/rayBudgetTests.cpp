// tests/cpu/rayBudgetTests.cpp
// The GI ray count steered so the measured GPU time settles at the budget, and when the controller steers.
#include <cmath>
#include <tuple>
#include <utility>

#include "gpu/giState.h"
#include "gpu/rayBudget.h"
#include "gpu/renderSettings.h"
#include "sequencerFixture.h"

using RayBudget = SequencerFixture;

TEST_F(RayBudget, SettlesAtTheBudgetFromOneSideClampsTo1And256AndTheControllerIdlesWhenFrozenOrIdle)
{
    // Cost proportional to rays: the budget is met at rayBudgetMs / msPerRay rays.
    for (float msPerRay : {0.07f, 0.25f, 1.0f, 3.5f})
        for (float start : {1.0f, 16.0f, 256.0f}) {
            if (msPerRay * start <= 0.5f)  // at 0.5 ms or less the controller deliberately stays idle
                continue;
            SCOPED_TRACE(testing::Message() << msPerRay << " ms per ray from " << start);
            float target = rayBudgetMs / msPerRay, rays = start;
            for (int frame = 0; frame < 300; ++frame) {
                rays = stepRayBudget(rays, msPerRay * rays);
                ASSERT_TRUE(rays >= 1.0f && rays <= 256.0f);
                // Approaching from one side only: no oscillation around the budget.
                EXPECT_TRUE(std::fabs(rays - target) <= 1e-3f * target || (rays > target) == (start > target));
            }
            EXPECT_NEAR(rays, target, 1e-3f * target);
        }
    // Twice over the budget backs off further than twice under it climbs.
    EXPECT_GT(100.0f - stepRayBudget(100.0f, 28.0f), stepRayBudget(100.0f, 7.0f) - 100.0f);
    // A cheap machine saturates at 256 rays, an overloaded one at 1.
    float rays = 16.0f;
    for (auto [costMs, limit] : {std::pair{0.6f, 256.0f}, {1000.0f, 1.0f}}) {
        for (int frame = 0; frame < 200; ++frame)
            rays = stepRayBudget(rays, costMs);
        EXPECT_EQ(rays, limit);
    }

    // The controller idles when frozen or when the frame costs next to nothing, and copies the rounded rays.
    GiState gi;
    RenderSettings settings;
    GpuTimes times{1.0f, 0.5f, 30.0f, 4.0f};
    gi.giAccumMode = giFrozen;
    stepRayBudgetController(gi, settings, times);
    EXPECT_EQ(gi.adaptiveRays, 16.0f);
    gi.giAccumMode = giRunningAverage;
    stepRayBudgetController(gi, settings, times);
    const float expected = stepRayBudget(16.0f, 35.5f);  // the four stage times add up
    EXPECT_TRUE(gi.adaptiveRays == expected && settings.raysPerFrame == (int)std::lround(expected));
    stepRayBudgetController(gi, settings, {0.1f, 0.1f, 0.1f, 0.1f});
    EXPECT_EQ(gi.adaptiveRays, expected);
    // With adaptation off the controller keeps steering but leaves the chosen ray count alone.
    settings.adaptiveRaysEnabled = false;
    settings.raysPerFrame = 3;
    stepRayBudgetController(gi, settings, {0.1f, 0.1f, 30.0f, 0.1f});
    EXPECT_TRUE(settings.raysPerFrame == 3 && gi.adaptiveRays < expected);
}
