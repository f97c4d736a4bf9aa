// tools/soundtrack/arrangement.h
// "Korvane's Swing": 144 bars at 128 BPM in A minor, in six sections that follow the show.
#pragma once

#include "voices.h"

constexpr int pieceBars = 144;

// Frames of the whole piece, the last hit's ring-out included.
long pieceFrames();

// Renders every note of the piece into the mix buses.
void arrangePiece(Mix& mix);
