// tools/capture/renderProgress.cpp
#include "tools/capture/renderProgress.h"

#include <cstdio>

namespace {
std::string clockText(double sec)
{
    long whole = (long)(sec + 0.5);
    char text[32];
    if (whole >= 3600)
        snprintf(text, sizeof(text), "%ld:%02ld:%02ld", whole / 3600, whole / 60 % 60, whole % 60);
    else
        snprintf(text, sizeof(text), "%ld:%02ld", whole / 60, whole % 60);
    return text;
}
}

std::string progressText(long done, long total, const char* scene, double elapsedSec)
{
    char text[160];
    int length = snprintf(text, sizeof(text), "frame %ld/%ld (%ld%%) %s", done, total, total ? done * 100 / total : 0,
                          scene ? scene : "-");
    // Until a frame is done there is no rate to project from.
    if (done > 0 && elapsedSec > 0.0) {
        double fps = done / elapsedSec;
        snprintf(text + length, sizeof(text) - length, ", %.2f fps, %s left", fps,
                 clockText((total - done) / fps).c_str());
    }
    return text;
}

bool progressStepDue(long done, long total)
{
    return done > 0 && total > 0 && done * 20 / total > (done - 1) * 20 / total;
}
