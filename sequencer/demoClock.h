// sequencer/demoClock.h
// The one time base of timelines, labels and orbits: the show time of the current frame, set once per
// frame by whoever drives the frame, so every reader within a frame sees the same value.
#pragma once

double demoClock();
void setDemoClock(double showTimeSec);
