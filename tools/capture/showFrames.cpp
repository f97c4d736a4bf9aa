// tools/capture/showFrames.cpp
#include "tools/capture/showFrames.h"

#include <cmath>
#include <cstdio>

long frameAtOrAfter(double sec, int fps)
{
    // The small epsilon keeps 0.1 s at 10 fps on frame 1 despite rounding.
    return (long)std::ceil(sec * fps - 1e-6);
}

std::string rangeInShow(double fromSec, double toSec, int fps, long showFrames, FrameRange& range)
{
    char message[160];
    const char* lasts = "the show, which lasts";
    double lastsSec = (double)showFrames / fps;
    range.first = frameAtOrAfter(fromSec, fps);
    range.end = toSec < 0.0 ? showFrames : frameAtOrAfter(toSec, fps);
    if (range.first >= showFrames)
        snprintf(message, sizeof(message), "--from %.3f s is not inside %s %.3f s", fromSec, lasts, lastsSec);
    else if (range.end > showFrames)
        snprintf(message, sizeof(message), "--to %.3f s is past the end of %s %.3f s", toSec, lasts, lastsSec);
    else if (range.end <= range.first)
        snprintf(message, sizeof(message), "%.3f s to %.3f s holds no frame at %d fps", fromSec, toSec, fps);
    else
        return "";
    return message;
}

std::vector<long> sheetFrames(const FrameRange& range, double fromSec, double everySec, int fps)
{
    std::vector<long> frames;
    for (long step = 0;; ++step) {
        long frame = frameAtOrAfter(fromSec + step * everySec, fps);
        if (frame >= range.end)
            return frames;
        // A step shorter than a frame would otherwise show one frame twice.
        if (frames.empty() || frame > frames.back())
            frames.push_back(frame);
    }
}

SheetGrid sheetGrid(int tiles, int tileWidth, int tileHeight)
{
    SheetGrid best{1, tiles};
    double bestMiss = INFINITY;
    for (int columns = 1; columns <= tiles; ++columns) {
        int rows = (tiles + columns - 1) / columns;
        double aspect = (double)(columns * tileWidth) / (rows * tileHeight);
        double miss = std::fabs(std::log(aspect * 9.0 / 16.0));
        if (miss < bestMiss - 1e-9) {
            best = {columns, rows};
            bestMiss = miss;
        }
    }
    return best;
}
