// tools/bench/gpuStopwatch.h
// GPU milliseconds of the commands issued between start and stop, from two timestamp queries.
#pragma once

#include <GL/glew.h>

class cGpuStopwatch {
public:
    cGpuStopwatch();
    ~cGpuStopwatch();
    cGpuStopwatch(const cGpuStopwatch&) = delete;
    cGpuStopwatch& operator=(const cGpuStopwatch&) = delete;
    void start();
    // Waits for the second timestamp.
    double stopMs();

private:
    GLuint queries[2] = {0, 0};
};
