// app/softwareRenderer.cpp
#include "app/softwareRenderer.h"

#include <GL/glew.h>

#include <cctype>

#include "platform/childProcess.h"
#include "platform/debugLog.h"

namespace {
bool startsWithIgnoringCase(const char* text, const char* start)
{
    for (; *start; ++text, ++start)
        if (tolower((unsigned char)*text) != tolower((unsigned char)*start))
            return false;
    return true;
}
}

bool isSoftwareRenderer(const char* renderer)
{
    // Whole names only: hardware drivers such as radeonsi also mention LLVM in their strings.
    static const char* const softwareNames[] = {"llvmpipe", "softpipe", "swrast", "software rasterizer",
                                                "swiftshader", "basic render driver"};
    if (!renderer)
        return false;
    for (const char* name : softwareNames)
        for (const char* at = renderer; *at; ++at)
            if (startsWithIgnoringCase(at, name))
                return true;
    return false;
}

void logSoftwareRendererNote()
{
    const char* renderer = (const char*)glGetString(GL_RENDERER);
    if (!isSoftwareRenderer(renderer))
        return;
    // Only a build that starts helper programs hands the frames to ffmpeg for a video.
    if (childProcessesRun())
        debugLog("Software renderer: the show will run at a fraction of a frame per second here; watch it as a "
                 "video instead: lumenfold-capture --video lumenfold.mp4 (--volume 48 --size 320x180 --fps 10 for a "
                 "quick preview)\n");
    else
        debugLog("Software renderer: the show will run at a fraction of a frame per second here; lumenfold-capture "
                 "makes pictures and contact sheets of it here (--sheet sheet.png --every 5 --size 240x135 --fps 10 "
                 "--volume 48), and the video of it is made with the Linux build\n");
}
