// gpu/giPass.h
// The GI gather pass, the copy into the GI texture, and the clear.
#pragma once

struct Gpu;
struct GiPlan;
struct VolumeResources;

void giClear(const VolumeResources& volume);
// Copies the GI buffer into the GI texture the raymarch filters.
void runGiCopy(Gpu& gpu);
// Clears on a reset, then gathers and copies unless the light is frozen; the Constants block is already written.
void runGiFrame(Gpu& gpu, const GiPlan& plan);
