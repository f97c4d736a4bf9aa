// gpu/gpuTimer.cpp
#include "gpu/gpuTimer.h"

#include <GL/glew.h>

#include "gpu/giState.h"

namespace {
struct GpuTiming {
    GLuint queries[2][stageCount][2] = {};  // set, stage, begin and end
    int writeSet = 0;
    int readSet = 1;
    bool firstFrame = true;
};
GpuTiming timing;

void recordStamp(int stage, int end)
{
    glQueryCounter(timing.queries[timing.writeSet][stage][end], GL_TIMESTAMP);
    // Software rasterisers take the stamp when queued commands are flushed but run compute at dispatch;
    // flushing here keeps each stamp between the passes it separates. A GPU only submits earlier.
    glFlush();
}

float stageMs(int stage)
{
    GLuint64 begin = 0, end = 0;
    glGetQueryObjectui64v(timing.queries[timing.readSet][stage][0], GL_QUERY_RESULT, &begin);
    glGetQueryObjectui64v(timing.queries[timing.readSet][stage][1], GL_QUERY_RESULT, &end);
    return (float)(end - begin) / 1000000.0f;
}
}

void beginGpuTiming()
{
    if (!timing.queries[0][0][0])
        glGenQueries(2 * stageCount * 2, &timing.queries[0][0][0]);
    if (timing.firstFrame) {
        timing.firstFrame = false;
        gpuFillMs = gpuOccupancyMs = gpuGiMs = gpuRenderMs = 0.0f;
        return;
    }
    gpuFillMs = stageMs(stageFill);
    gpuOccupancyMs = stageMs(stageOccupancy);
    gpuGiMs = stageMs(stageGi);
    gpuRenderMs = stageMs(stageDraw);
}

void beginGpuStage(int stage)
{
    recordStamp(stage, 0);
}

void endGpuStage(int stage)
{
    recordStamp(stage, 1);
}

void flipGpuTimingSets()
{
    timing.writeSet ^= 1;
    timing.readSet ^= 1;
}

void deleteGpuTiming()
{
    if (timing.queries[0][0][0])
        glDeleteQueries(2 * stageCount * 2, &timing.queries[0][0][0]);
    timing = GpuTiming();
}
