// tests/cpu/emblemSource.h
// The emblem painted from tools/gearLogo/emblem.txt, found from this file's place in the tree.
#pragma once

#include <string>

#include "tools/gearLogo/emblemShapes.h"

inline bool loadEmblemSource(EmblemImage& image)
{
    std::string root = __FILE__, error;
    return paintEmblemFile((root.substr(0, root.rfind("tests/cpu/")) + "tools/gearLogo/emblem.txt").c_str(), image, error);
}
