// audio/beat.h
// The 128 BPM beat grid over the music cursor and the two pulses scenes set on beats.
#pragma once

constexpr float beatsPerMinute = 128.0f;

extern float musicTime;
extern float beatPhase;
extern bool beatFlag;
extern float hihatPulse;
extern float cameraKick;

// Clears beatFlag, takes the cursor and flags a beat when the fractional beat position fell back.
void trackBeat(float cursorSec);
// End of frame: kick x 0.85, hi-hat x 0.88, each to 0 below 0.001.
void decayPulses();

void resetBeatDefaults();
