// tools/capture/contactSheet.h
// The contact sheet: tiles placed on their grid, each labelled with its scene and show time in the block font.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/capture/showFrames.h"

struct ContactSheet {
    SheetGrid grid;
    int tileWidth = 0, tileHeight = 0;
    int width = 0, height = 0;
    std::vector<uint8_t> rgba;  // opaque black where no tile falls
};

void beginSheet(ContactSheet& sheet, int tiles, int tileWidth, int tileHeight);
// tile holds tileHeight rows of tileWidth RGBA pixels, top row first.
void placeTile(ContactSheet& sheet, int index, const uint8_t* tile, const char* scene, double showSec);
