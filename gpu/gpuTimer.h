// gpu/gpuTimer.h
// Five timestamps per frame in two alternating query sets, so reading one frame's never waits on the next.
#pragma once

enum { stampBeforeFill, stampAfterFill, stampAfterOccupancy, stampBeforeGi, stampAfterGi, stampAfterDraw, stampCount };

// Reads the previous frame's set into gpuFillMs, gpuOccupancyMs, gpuGiMs, gpuRenderMs (0 on the first frame),
// then records stampBeforeFill. Creates the queries on first use.
void beginGpuTiming();
void recordGpuStamp(int stamp);
// After the draw's stamp: the set just written becomes the one read next frame.
void flipGpuTimingSets();
// Deletes the queries; the next frame creates them afresh and reports no timings.
void deleteGpuTiming();
