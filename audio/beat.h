// audio/beat.h
// The 128 BPM beat grid over the music cursor and the two pulses scenes set on beats.
#pragma once

constexpr float beatsPerMinute = 128.0f;

struct BeatState {
    float musicTime = 0.0f;
    float beatPhase = -1.0f;  // below any fraction: the first cursor has no earlier one to fall back from
    bool beatFlag = false;
    float hihatPulse = 0.0f;
    float cameraKick = 0.0f;
};

// Clears beatFlag, takes the cursor and flags a beat when the fractional beat position fell back.
void trackBeat(BeatState& beat, float cursorSec);
// End of frame: kick x 0.85, hi-hat x 0.88, each to 0 below 0.001.
void decayPulses(BeatState& beat);
