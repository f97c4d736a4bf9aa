// gpu/gpuTimer.h
// Four timed stages per frame in three rotating query sets; the newest set whose stamps are in is read, so
// reading never waits on the GPU.
#pragma once

#include "gpu/rayBudget.h"

enum GpuStage { stageFill, stageOccupancy, stageGi, stageDraw, stageCount };

struct GpuTiming {
    static constexpr int setCount = 3;
    unsigned queries[setCount][stageCount][2] = {};  // set, stage, begin and end
    bool pending[setCount] = {};                      // stamped and not read yet
    int writeSet = 0;
    // Software rasterisers take a stamp when queued commands are flushed but run compute at dispatch.
    bool flushEachStamp = false;
    GpuTimes latest;
};

// Creates the queries on first use.
void beginGpuTiming(GpuTiming& timing);
// Every stage is stamped each frame, even when its pass has nothing to do, so every query of a set holds a time.
void beginGpuStage(GpuTiming& timing, int stage);
void endGpuStage(GpuTiming& timing, int stage);
// After the last stage: the next frame stamps the next set.
void flipGpuTimingSets(GpuTiming& timing);
// The times of the newest frame whose stamps have all arrived, the one just stamped included, or the last times
// read when none has (all 0 before the first). Never waits.
GpuTimes pollGpuTimes(GpuTiming& timing);
// Deletes the queries; the next frame creates them afresh and reports no timings.
void deleteGpuTiming(GpuTiming& timing);
