// audio/beat.cpp
#include "audio/beat.h"

#include <cmath>

float musicTime = 0.0f;
float beatPhase = -1.0f;
bool beatFlag = false;
float hihatPulse = 0.0f;
float cameraKick = 0.0f;

void trackBeat(float cursorSec)
{
    beatFlag = false;
    musicTime = cursorSec;
    float beats = musicTime * beatsPerMinute / 60.0f;
    float fraction = beats - std::floor(beats);
    if (beatPhase > fraction)
        beatFlag = true;
    beatPhase = fraction;
}

namespace {
float decay(float pulse, float factor)
{
    pulse *= factor;
    return pulse < 0.001f ? 0.0f : pulse;
}
}

void decayPulses()
{
    cameraKick = decay(cameraKick, 0.85f);
    hihatPulse = decay(hihatPulse, 0.88f);
}

void resetBeatDefaults()
{
    musicTime = 0.0f;
    beatPhase = -1.0f;
    beatFlag = false;
    hihatPulse = 0.0f;
    cameraKick = 0.0f;
}
