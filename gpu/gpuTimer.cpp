// gpu/gpuTimer.cpp
#include "gpu/gpuTimer.h"

#include <GL/glew.h>

namespace {
void recordStamp(GpuTiming& timing, int stage, int end)
{
    glQueryCounter(timing.queries[timing.writeSet][stage][end], GL_TIMESTAMP);
    // On a software rasteriser the flush keeps each stamp between the passes it separates; a GPU only
    // submits earlier, so it is spared the flushes.
    if (timing.flushEachStamp)
        glFlush();
}

bool setArrived(const GpuTiming& timing, int set)
{
    GLuint available = GL_FALSE;
    glGetQueryObjectuiv(timing.queries[set][stageCount - 1][1], GL_QUERY_RESULT_AVAILABLE, &available);
    return available == GL_TRUE;
}

float stageMs(const GpuTiming& timing, int set, int stage)
{
    GLuint64 begin = 0, end = 0;
    glGetQueryObjectui64v(timing.queries[set][stage][0], GL_QUERY_RESULT, &begin);
    glGetQueryObjectui64v(timing.queries[set][stage][1], GL_QUERY_RESULT, &end);
    return (float)(end - begin) / 1000000.0f;
}
}

void beginGpuTiming(GpuTiming& timing)
{
    if (!timing.queries[0][0][0])
        glGenQueries(GpuTiming::setCount * stageCount * 2, &timing.queries[0][0][0]);
}

GpuTimes pollGpuTimes(GpuTiming& timing)
{
    // Newest first. The last stamp in means the whole set is in.
    for (int age = 1; age <= GpuTiming::setCount; ++age) {
        int set = (timing.writeSet + GpuTiming::setCount - age) % GpuTiming::setCount;
        if (!timing.pending[set] || !setArrived(timing, set))
            continue;
        timing.latest = {stageMs(timing, set, stageFill), stageMs(timing, set, stageOccupancy),
                         stageMs(timing, set, stageGi), stageMs(timing, set, stageDraw)};
        for (bool& pending : timing.pending)
            pending = false;
        break;
    }
    return timing.latest;
}

void beginGpuStage(GpuTiming& timing, int stage)
{
    recordStamp(timing, stage, 0);
}

void endGpuStage(GpuTiming& timing, int stage)
{
    recordStamp(timing, stage, 1);
}

void flipGpuTimingSets(GpuTiming& timing)
{
    timing.pending[timing.writeSet] = true;
    timing.writeSet = (timing.writeSet + 1) % GpuTiming::setCount;
}

void deleteGpuTiming(GpuTiming& timing)
{
    bool flush = timing.flushEachStamp;
    if (timing.queries[0][0][0])
        glDeleteQueries(GpuTiming::setCount * stageCount * 2, &timing.queries[0][0][0]);
    timing = GpuTiming();
    timing.flushEachStamp = flush;
}
