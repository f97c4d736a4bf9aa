// tools/capture/contactSheet.cpp
#include "tools/capture/contactSheet.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// tools/font/glyphs.txt, embedded at build time: the block font the intro's fill shader also draws with.
extern const char glyphSource[];

namespace {
constexpr int glyphRows = 8, glyphColumns = 7, firstCode = 32, lastCode = 126;

// One 7-bit row mask per block row, leftmost block in bit 6.
struct BlockFont {
    uint8_t rows[lastCode - firstCode + 1][glyphRows] = {};
};

const BlockFont& blockFont()
{
    static BlockFont font = [] {
        BlockFont parsed;
        for (const char* line = glyphSource; *line;) {
            const char* next = strchr(line, '\n');
            int code = strncmp(line, "code ", 5) == 0 ? atoi(line + 5) : 0;
            line = next ? next + 1 : line + strlen(line);
            if (code < firstCode || code > lastCode)
                continue;
            for (int row = 0; row < glyphRows && *line; ++row) {
                for (int column = 0; column < glyphColumns && line[column] && line[column] != '\n'; ++column)
                    if (line[column] == '#')
                        parsed.rows[code - firstCode][row] |= (uint8_t)(1 << (glyphColumns - 1 - column));
                next = strchr(line, '\n');
                line = next ? next + 1 : line + strlen(line);
            }
        }
        return parsed;
    }();
    return font;
}

// White text on a darkened band in the tile's top-left corner, clipped to the tile.
void drawLabel(ContactSheet& sheet, int left, int top, const char* text)
{
    int scale = std::max(1, sheet.tileHeight / 135);
    int advance = (glyphColumns + 1) * scale;
    int bandWidth = std::min(sheet.tileWidth, (int)strlen(text) * advance + scale);
    int bandHeight = std::min(sheet.tileHeight, (glyphRows + 2) * scale);
    for (int y = 0; y < bandHeight; ++y)
        for (int x = 0; x < bandWidth; ++x) {
            uint8_t* pixel = &sheet.rgba[((size_t)(top + y) * sheet.width + left + x) * 4];
            for (int c = 0; c < 3; ++c)
                pixel[c] = (uint8_t)(pixel[c] * 3 / 10);
        }
    const BlockFont& font = blockFont();
    for (int i = 0; text[i]; ++i) {
        int code = (unsigned char)text[i];
        if (code < firstCode || code > lastCode)
            continue;
        const uint8_t* rows = font.rows[code - firstCode];
        for (int y = 0; y < glyphRows * scale; ++y)
            for (int x = 0; x < glyphColumns * scale; ++x) {
                int px = scale + i * advance + x, py = scale + y;
                bool ink = rows[y / scale] >> (glyphColumns - 1 - x / scale) & 1;
                if (!ink || px >= bandWidth || py >= bandHeight)
                    continue;
                uint8_t* pixel = &sheet.rgba[((size_t)(top + py) * sheet.width + left + px) * 4];
                pixel[0] = pixel[1] = pixel[2] = 255;
            }
    }
}
}

void beginSheet(ContactSheet& sheet, int tiles, int tileWidth, int tileHeight)
{
    sheet.grid = sheetGrid(tiles, tileWidth, tileHeight);
    sheet.tileWidth = tileWidth;
    sheet.tileHeight = tileHeight;
    sheet.width = sheet.grid.columns * tileWidth;
    sheet.height = sheet.grid.rows * tileHeight;
    sheet.rgba.assign((size_t)sheet.width * sheet.height * 4, 0);
    for (size_t i = 3; i < sheet.rgba.size(); i += 4)
        sheet.rgba[i] = 255;
}

void placeTile(ContactSheet& sheet, int index, const uint8_t* tile, const char* scene, double showSec)
{
    int left = index % sheet.grid.columns * sheet.tileWidth;
    int top = index / sheet.grid.columns * sheet.tileHeight;
    size_t row = (size_t)sheet.tileWidth * 4;
    for (int y = 0; y < sheet.tileHeight; ++y) {
        uint8_t* out = &sheet.rgba[((size_t)(top + y) * sheet.width + left) * 4];
        memcpy(out, tile + y * row, row);
        // The sheet is for looking at: whatever alpha the target held, its pixels are opaque.
        for (int x = 0; x < sheet.tileWidth; ++x)
            out[x * 4 + 3] = 255;
    }
    char label[96];
    snprintf(label, sizeof(label), "%s %.2f s", scene ? scene : "-", showSec);
    drawLabel(sheet, left, top, label);
}
