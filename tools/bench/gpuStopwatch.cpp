// tools/bench/gpuStopwatch.cpp
#include "gpuStopwatch.h"

cGpuStopwatch::cGpuStopwatch()
{
    glGenQueries(2, queries);
}

cGpuStopwatch::~cGpuStopwatch()
{
    if (queries[0]) {
        glDeleteQueries(2, queries);
        queries[0] = queries[1] = 0;
    }
}

void cGpuStopwatch::start()
{
    glQueryCounter(queries[0], GL_TIMESTAMP);
    // Software drivers stamp at submission and run compute at once: submit the first stamp before the work.
    glFlush();
}

double cGpuStopwatch::stopMs()
{
    glQueryCounter(queries[1], GL_TIMESTAMP);
    GLuint64 begin = 0, end = 0;
    glGetQueryObjectui64v(queries[0], GL_QUERY_RESULT, &begin);
    glGetQueryObjectui64v(queries[1], GL_QUERY_RESULT, &end);
    return (double)(end - begin) / 1e6;
}
