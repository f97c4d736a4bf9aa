// gpu/rayBudget.h
// Steers the GI ray count towards a GPU time budget.
#pragma once

struct GiState;
struct RenderSettings;

constexpr float rayBudgetMs = 14.0f;

// GPU milliseconds of one frame's timed stages; all 0 where nothing was measured.
struct GpuTimes {
    float fillMs = 0.0f;
    float occupancyMs = 0.0f;
    float giMs = 0.0f;
    float renderMs = 0.0f;
};

// One controller step: quick to back off when over budget, slow to climb, kept in [1, 256].
float stepRayBudget(float rays, float totalGpuMs);

// Applies a step to adaptiveRays from the measured stage times, idle while frozen or near-idle.
void stepRayBudgetController(GiState& gi, RenderSettings& settings, const GpuTimes& times);
