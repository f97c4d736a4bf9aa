// gpu/rayBudget.h
// Steers the GI ray count towards a GPU time budget.
#pragma once

constexpr float rayBudgetMs = 14.0f;

// One controller step: quick to back off when over budget, slow to climb, kept in [1, 256].
float stepRayBudget(float rays, float totalGpuMs);

// Applies a step to adaptiveRays from the measured stage times, idle while frozen or near-idle.
void stepRayBudgetController();
