// gpu/gpuTimer.h
// Four timed stages per frame in two alternating query sets, so reading one frame's never waits on the next.
#pragma once

enum GpuStage { stageFill, stageOccupancy, stageGi, stageDraw, stageCount };

// Reads the previous frame's set into gpuFillMs, gpuOccupancyMs, gpuGiMs, gpuRenderMs (0 on the first frame).
// Creates the queries on first use.
void beginGpuTiming();
// Every stage is stamped each frame, even when its pass has nothing to do, so every query of a set holds a time.
void beginGpuStage(int stage);
void endGpuStage(int stage);
// After the last stage: the set just written becomes the one read next frame.
void flipGpuTimingSets();
// Deletes the queries; the next frame creates them afresh and reports no timings.
void deleteGpuTiming();
