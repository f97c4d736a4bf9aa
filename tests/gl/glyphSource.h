// tests/gl/glyphSource.h
// Reads tools/font/glyphs.txt into a 256 x 144 ink image, independently of the generator that embeds it.
#pragma once

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

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

// Each glyph is 7 x 8 blocks of 2 x 2 pixels, its first block row on pixel rows 3-4.
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
