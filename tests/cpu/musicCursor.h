// tests/cpu/musicCursor.h
// Drives the beat tracker from chosen music times, so a scene test decides which frames fall on a beat.
#pragma once

#include "audio/beat.h"

struct MusicCursor {
    float sec = 0.0f;

    // Call once before each scene update: a beat frame crosses into the next beat, any other stands still.
    void frame(bool beat)
    {
        if (beat) {
            trackBeat(sec + 0.4f);
            sec += 0.46875f;
        }
        trackBeat(sec);
    }
};
