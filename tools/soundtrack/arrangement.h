// tools/soundtrack/arrangement.h
// "Korvane's Swing": 128 BPM in A minor; its sections turn with the show's scenes and its last chord lands on
// the bar nearest the show's close.
#pragma once

#include "voices.h"

// Frames of the whole piece, the final chord's ring-out included.
long pieceFrames();

// Renders every note of the piece into the mix buses.
void arrangePiece(Mix& mix);

// The last second of the ring-out, where the master fades to silence.
long fadeOutStart();
