// tests/cpu/sourceImages.h
// The emblem painted from its source, and the one-bit image of an embedded shader read back from its
// "uint[N](...)" literal.
#pragma once

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tools/gearLogo/emblemShapes.h"

// Pixel idx is bit 31 - (idx & 31) of word idx >> 5; the result is empty unless exactly `words` words are found.
inline std::vector<bool> embeddedBitmap(const std::string& glsl, int words)
{
    std::string opening = "uint[" + std::to_string(words) + "](";
    size_t begin = glsl.find(opening);
    if (begin == std::string::npos)
        return {};
    begin += opening.size();
    std::istringstream list(glsl.substr(begin, glsl.find(");", begin) - begin));
    std::vector<bool> pixels;
    for (std::string item; std::getline(list, item, ',');)
        for (int bit = 31; bit >= 0; --bit)
            pixels.push_back(((std::strtoul(item.c_str(), nullptr, 16) >> bit) & 1u) != 0);
    return pixels.size() == (size_t)words * 32 ? pixels : std::vector<bool>{};
}

// The emblem painted from tools/gearLogo/emblem.txt, independently of the generator that embeds it.
inline bool loadEmblemSource(EmblemImage& image)
{
    std::string error;
    return paintEmblemFile(LUMENFOLD_SOURCE_DIR "/tools/gearLogo/emblem.txt", image, error);
}
