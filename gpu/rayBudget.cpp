// gpu/rayBudget.cpp
// Scales the GI ray count so the measured GPU time settles at the budget.
#include "gpu/rayBudget.h"

#include <algorithm>
#include <cmath>

#include "gpu/giState.h"
#include "gpu/renderSettings.h"

namespace {
constexpr float gainOver = 0.3f;
constexpr float gainUnder = 0.1f;
constexpr float minRays = 1.0f;
constexpr float maxRays = 256.0f;
constexpr float idleMs = 0.5f;
}

// A relative step towards the ray count the last cost predicts: with cost proportional to rays this
// approaches the budget geometrically from one side, so it never overshoots.
float stepRayBudget(float rays, float totalGpuMs)
{
    if (!(totalGpuMs > idleMs))
        return std::clamp(rays, minRays, maxRays);
    float gain = totalGpuMs > rayBudgetMs ? gainOver : gainUnder;
    float next = rays * (1.0f + gain * (rayBudgetMs / totalGpuMs - 1.0f));
    return std::clamp(next, minRays, maxRays);
}

void stepRayBudgetController()
{
    if (giAccumMode == giFrozen)
        return;
    float total = gpuFillMs + gpuOccupancyMs + gpuGiMs + gpuRenderMs;
    if (total <= idleMs)
        return;
    adaptiveRays = stepRayBudget(adaptiveRays, total);
    if (renderSettings.adaptiveRaysEnabled)
        renderSettings.raysPerFrame = (int)std::lround(adaptiveRays);
}
