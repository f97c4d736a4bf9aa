// tools/font/fontGen.cpp
// Turns the block glyphs of glyphs.txt into shaders/font.glsl: the 1-bit font image plus the sampling code.
#include <cstdint>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "../common/glslBitmap.h"

namespace {
constexpr int cellW = 16, cellH = 24, cols = 16, rows = 6;
constexpr int imgW = cellW * cols, imgH = cellH * rows;
constexpr int blockCols = 7, blockRows = 8;
constexpr int inkTop = 3;  // block rows pair pixel rows 3-4, 5-6, ... 17-18
constexpr int firstCode = 33, lastCode = 126;

void placeBlock(std::vector<uint32_t>& words, int code, int blockX, int blockY)
{
    int i = code - 32;
    int x0 = (i % cols) * cellW + 2 * blockX;
    int y0 = (i / cols) * cellH + inkTop + 2 * blockY;
    for (int dy = 0; dy < 2; ++dy)
        for (int dx = 0; dx < 2; ++dx)
            setBitmapPixel(words, imgW, x0 + dx, y0 + dy);
}

// Fills words from the glyph text; on failure returns false with a message naming the line.
bool parseGlyphs(const std::string& text, std::vector<uint32_t>& words, std::string& error)
{
    words.assign(imgW * imgH / 32, 0u);
    std::vector<bool> seen(128, false);
    std::istringstream in(text);
    std::string line;
    int lineNo = 0;
    while (std::getline(in, line)) {
        ++lineNo;
        if (line.empty() || line.rfind("//", 0) == 0)
            continue;
        int code = 0;
        if (std::sscanf(line.c_str(), "code %d", &code) != 1 || code < firstCode || code > lastCode || seen[code]) {
            error = "line " + std::to_string(lineNo) + ": expected a new \"code <33..126>\" header";
            return false;
        }
        seen[code] = true;
        for (int r = 0; r < blockRows; ++r) {
            ++lineNo;
            if (!std::getline(in, line) || (int)line.size() != blockCols ||
                line.find_first_not_of(".#") != std::string::npos) {
                error = "line " + std::to_string(lineNo) + ": expected 7 blocks of '.' or '#'";
                return false;
            }
            for (int c = 0; c < blockCols; ++c)
                if (line[c] == '#')
                    placeBlock(words, code, c, r);
        }
    }
    for (int code = firstCode; code <= lastCode; ++code)
        if (!seen[code]) {
            error = "no glyph for code " + std::to_string(code);
            return false;
        }
    return true;
}
}

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: lumenfold-fontgen GLYPHS.txt TEMPLATE.glsl.in OUT.glsl\n");
        return 2;
    }
    std::string glyphs, error;
    if (!readTextFile(argv[1], glyphs)) {
        std::fprintf(stderr, "lumenfold-fontgen: cannot read %s\n", argv[1]);
        return 1;
    }
    std::vector<uint32_t> words;
    if (!parseGlyphs(glyphs, words, error)) {
        std::fprintf(stderr, "%s: %s\n", argv[1], error.c_str());
        return 1;
    }
    return writeBitmapGlsl(argv[2], "@FONT_BITMAP@", words, argv[3]);
}
