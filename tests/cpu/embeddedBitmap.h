// tests/cpu/embeddedBitmap.h
// The one-bit image of an embedded shader, read back from its "uint[N](...)" literal.
#pragma once

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

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
