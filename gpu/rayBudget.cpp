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

void stepRayBudgetController(GiState& gi, RenderSettings& settings, const GpuTimes& times)
{
    if (gi.giAccumMode == giFrozen)
        return;
    float total = times.fillMs + times.occupancyMs + times.giMs + times.renderMs;
    if (total <= idleMs)
        return;
    gi.adaptiveRays = stepRayBudget(gi.adaptiveRays, total);
    if (settings.adaptiveRaysEnabled)
        settings.raysPerFrame = (int)std::lround(gi.adaptiveRays);
}
