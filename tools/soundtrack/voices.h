// tools/soundtrack/voices.h
// The instruments: each call renders one note or hit into the mix buses.
#pragma once

#include "dsp.h"

struct Mix {
    Stereo main;
    std::vector<float> leadBus;     // mono, echoed by the ping-pong delay
    std::vector<float> reverbSend;  // mono, into the room
};

Mix makeMix(long frames);

void addKick(Mix& mix, long start, float gain);
void addHat(Mix& mix, long start, float gain, bool open, uint32_t seed);
// brightness in [0, 1] opens the filter envelope.
void addBass(Mix& mix, long start, long length, int note, float gain, float brightness);
void addPad(Mix& mix, long start, long length, const int* notes, int count, float gain, float brightness);
void addStab(Mix& mix, long start, const int* notes, int count, float gain, float pan);
void addLead(Mix& mix, long start, long length, int note, float gain);
// A short pulse-wave blip, the home computer's voice; echo in [0, 1] sends it to the ping-pong delay.
void addChip(Mix& mix, long start, int note, float gain, float pan, float echo);
// Decaying noise in a band above the kick, in decorrelated stereo: a crash, or a thunder strike when dark.
void addNoiseHit(Mix& mix, long start, float gain, float lowHz, float highHz, float decaySec, uint32_t seed);
// Filtered noise that swells and opens towards its end, for the build before a drop.
void addRiser(Mix& mix, long start, long length, float gain);
