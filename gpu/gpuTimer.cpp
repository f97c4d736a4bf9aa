// gpu/gpuTimer.cpp
#include "gpu/gpuTimer.h"

#include <GL/glew.h>

#include "gpu/giState.h"

namespace {
struct GpuTiming {
    GLuint queries[2][stampCount] = {};
    int writeSet = 0;
    int readSet = 1;
    bool firstFrame = true;
};
GpuTiming timing;

float millisecondsBetween(GLuint64 from, GLuint64 to)
{
    return (float)(to - from) / 1000000.0f;
}
}

void beginGpuTiming()
{
    if (!timing.queries[0][0])
        glGenQueries(2 * stampCount, &timing.queries[0][0]);
    if (timing.firstFrame) {
        timing.firstFrame = false;
        gpuFillMs = gpuOccupancyMs = gpuGiMs = gpuRenderMs = 0.0f;
    } else {
        GLuint64 t[stampCount];
        for (int i = 0; i < stampCount; ++i)
            glGetQueryObjectui64v(timing.queries[timing.readSet][i], GL_QUERY_RESULT, &t[i]);
        gpuFillMs = millisecondsBetween(t[stampBeforeFill], t[stampAfterFill]);
        gpuOccupancyMs = millisecondsBetween(t[stampAfterFill], t[stampAfterOccupancy]);
        gpuGiMs = millisecondsBetween(t[stampBeforeGi], t[stampAfterGi]);
        gpuRenderMs = millisecondsBetween(t[stampAfterGi], t[stampAfterDraw]);
    }
    recordGpuStamp(stampBeforeFill);
}

void recordGpuStamp(int stamp)
{
    glQueryCounter(timing.queries[timing.writeSet][stamp], GL_TIMESTAMP);
    // Software rasterisers take the stamp when queued commands are flushed but run compute at dispatch;
    // flushing here keeps each stamp between the passes it separates. A GPU only submits earlier.
    glFlush();
}

void flipGpuTimingSets()
{
    timing.writeSet ^= 1;
    timing.readSet ^= 1;
}

void deleteGpuTiming()
{
    if (timing.queries[0][0])
        glDeleteQueries(2 * stampCount, &timing.queries[0][0]);
    timing = GpuTiming();
}
