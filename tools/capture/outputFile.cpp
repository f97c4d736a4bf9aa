// tools/capture/outputFile.cpp
#include "tools/capture/outputFile.h"

#include <cstdio>

#include "tools/common/pngWriter.h"

std::string commitPng(const std::string& temporary, const std::string& path, int width, int height,
                      const uint8_t* rgba)
{
    if (writePng(temporary.c_str(), width, height, rgba))
        return commitTemporary(temporary, path);
    remove(temporary.c_str());
    return "cannot write " + path;
}
