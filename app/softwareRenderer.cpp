// app/softwareRenderer.cpp
#include "app/softwareRenderer.h"

#include <GL/glew.h>

#include <strings.h>

#include <cstring>

#include "platform/debugLog.h"

bool isSoftwareRenderer(const char* renderer)
{
    // Whole names only: hardware drivers such as radeonsi also mention LLVM in their strings.
    static const char* const softwareNames[] = {"llvmpipe", "softpipe", "swrast", "software rasterizer",
                                                "swiftshader", "basic render driver"};
    if (!renderer)
        return false;
    for (const char* name : softwareNames)
        for (const char* at = renderer; *at; ++at)
            if (strncasecmp(at, name, strlen(name)) == 0)
                return true;
    return false;
}

void logSoftwareRendererNote()
{
    const char* renderer = (const char*)glGetString(GL_RENDERER);
    if (isSoftwareRenderer(renderer))
        debugLog("Software renderer: the show will run at a fraction of a frame per second here; watch it as a "
                 "video instead: lumenfold-capture --video lumenfold.mp4 (--volume 48 --size 320x180 --fps 10 for a "
                 "quick preview)\n");
}
