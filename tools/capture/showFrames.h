// tools/capture/showFrames.h
// Which frames of the fixed-step show a video or a contact sheet writes, and how the sheet's tiles are laid out.
#pragma once

#include <string>
#include <vector>

// The first frame on the fixed step whose show time is at or after sec.
long frameAtOrAfter(double sec, int fps);

// Frames [first, end) are written; the frames before first are rendered too, because state carries across them.
struct FrameRange {
    long first = 0;
    long end = 0;
};

// showFrames counts the whole show, the frame on which the window asks to close included; toSec < 0 runs to
// that frame. Returns an empty string, or why the range does not fit the show.
std::string rangeInShow(double fromSec, double toSec, int fps, long showFrames, FrameRange& range);

// One frame at or after each multiple of everySec past fromSec, inside the range.
std::vector<long> sheetFrames(const FrameRange& range, double fromSec, double everySec, int fps);

struct SheetGrid {
    int columns = 0;
    int rows = 0;
};
// The columns that bring the whole sheet closest to 16:9, whatever the tile shape.
SheetGrid sheetGrid(int tiles, int tileWidth, int tileHeight);
