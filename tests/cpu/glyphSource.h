// tests/cpu/glyphSource.h
// Reads tools/font/glyphs.txt into a 256 x 144 ink image, independently of the generator that embeds it.
#pragma once

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

struct GlyphImage {
    static constexpr int width = 256, height = 144, cellW = 16, cellH = 24;
    std::vector<bool> ink = std::vector<bool>(width * height, false);
    bool loaded = false;

    // Pixel (px, py) of the cell of a code in 32..127, py = 0 the top row.
    bool at(int code, int px, int py) const
    {
        int cell = code - 32;
        return ink[((cell / 16) * cellH + py) * width + (cell % 16) * cellW + px];
    }
};

inline std::string lumenfoldSourceRoot()
{
    std::string file = __FILE__;
    return file.substr(0, file.rfind("tests/cpu/"));
}

// Each glyph is 7 x 8 blocks of 2 x 2 pixels, its first block row on pixel rows 3-4.
inline GlyphImage loadGlyphSource()
{
    GlyphImage image;
    std::ifstream in(lumenfoldSourceRoot() + "tools/font/glyphs.txt");
    image.loaded = in.good();
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("code ", 0) != 0)
            continue;
        int cell = std::atoi(line.c_str() + 5) - 32;
        for (int row = 0; row < 8 && std::getline(in, line); ++row)
            for (int col = 0; col < 7 && col < (int)line.size(); ++col)
                if (line[col] == '#')
                    for (int k = 0; k < 4; ++k) {
                        int px = (cell % 16) * GlyphImage::cellW + 2 * col + (k & 1);
                        int py = (cell / 16) * GlyphImage::cellH + 3 + 2 * row + (k >> 1);
                        image.ink[py * GlyphImage::width + px] = true;
                    }
    }
    return image;
}
