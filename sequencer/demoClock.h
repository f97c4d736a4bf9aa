// sequencer/demoClock.h
// The one time base of timelines, labels and orbits; its source is replaceable so runs can be driven exactly.
#pragma once

#include <functional>

double demoClock();

// The demo installs the windowing timer, tests a manual clock, the capture tool a fixed-step one.
void setDemoClockSource(std::function<double()> source);

// A clock that only moves when told to; tests and offline capture use it.
struct ManualClock {
    double now = 0.0;
    void install();
};
