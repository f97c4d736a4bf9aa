// tools/soundtrack/effects.h
// The two shared effects: a ping-pong echo for the lead and a small room for everything sent to it.
#pragma once

#include "dsp.h"

// Adds the dry mono input in the centre and its echoes alternating left and right; the echoes also
// feed the room send.
void addPingPongDelay(const std::vector<float>& input, long delaySamples, float feedback, Stereo& out,
                      std::vector<float>& send);

// Parallel damped combs and series all-passes, one set per side with spread lengths for width.
void addRoom(const std::vector<float>& send, float wet, Stereo& out);
