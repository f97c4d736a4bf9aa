// audio/beat.cpp
#include "audio/beat.h"

#include <cmath>

void trackBeat(BeatState& beat, float cursorSec)
{
    beat.beatFlag = false;
    beat.musicTime = cursorSec;
    float beats = beat.musicTime * beatsPerMinute / 60.0f;
    float fraction = beats - std::floor(beats);
    if (beat.beatPhase > fraction)
        beat.beatFlag = true;
    beat.beatPhase = fraction;
}

namespace {
float decay(float pulse, float factor)
{
    pulse *= factor;
    return pulse < 0.001f ? 0.0f : pulse;
}
}

void decayPulses(BeatState& beat)
{
    beat.cameraKick = decay(beat.cameraKick, 0.85f);
    beat.hihatPulse = decay(beat.hihatPulse, 0.88f);
}
