// tests/cpu/sourceImages.h
// The images the generators embed, read independently from their sources: the font's glyphs, the emblem, and the
// one-bit image of an embedded shader read back from its "uint[N](...)" literal.
#pragma once

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tools/gearLogo/emblemShapes.h"

struct GlyphImage {
    std::vector<bool> ink = std::vector<bool>(256 * 144, false);
    bool loaded = false;

    // The font's sample of the 16 x 24 cell: u left to right, v top down; no ink outside 32..126.
    bool sample(int code, float u, float v) const
    {
        int px = std::clamp((int)(u * 16.0f), 0, 15), py = std::clamp((int)(v * 24.0f), 0, 23);
        return code >= 32 && code <= 126 && ink[((code - 32) / 16 * 24 + py) * 256 + (code - 32) % 16 * 16 + px];
    }

    // A line gives each of its characters an equal share of u in [0, 1].
    bool lineSample(const std::string& text, float u, float v) const
    {
        int n = (int)text.size(), index = std::min((int)(u * n), n - 1);
        return sample(text[index], u * n - index, v);
    }
};

// tools/font/glyphs.txt as a 256 x 144 ink image: a glyph is 7 x 8 blocks of 2 x 2 pixels from pixel row 3.
inline GlyphImage loadGlyphSource()
{
    std::ifstream in(LUMENFOLD_SOURCE_DIR "/tools/font/glyphs.txt");
    GlyphImage image;
    image.loaded = in.good();
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("code ", 0) != 0)
            continue;
        int cell = std::atoi(line.c_str() + 5) - 32;
        for (int row = 0; row < 8 && std::getline(in, line); ++row)
            for (int col = 0; col < 7 && col < (int)line.size(); ++col)
                for (int k = 0; k < 4 && line[col] == '#'; ++k) {
                    int py = cell / 16 * 24 + 3 + 2 * row + (k >> 1), px = cell % 16 * 16 + 2 * col + (k & 1);
                    image.ink[py * 256 + px] = true;
                }
    }
    return image;
}

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
