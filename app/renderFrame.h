// app/renderFrame.h
// The GPU half of a frame: the one place that issues GL for it, drawing a frame plan into the current target.
#pragma once

struct FramePlan;
struct Gpu;
struct GpuTimes;

// The passes in their order, each between its stage's timestamps, then the captions and the swap. Returns the
// newest stage times the GPU has reported, for the next frame's ray budget.
GpuTimes renderFrame(Gpu& gpu, const FramePlan& plan);
