// sequencer/demoClock.cpp
#include "sequencer/demoClock.h"

namespace {
std::function<double()> clockSource;
}

double demoClock()
{
    return clockSource ? clockSource() : 0.0;
}

void setDemoClockSource(std::function<double()> source)
{
    clockSource = std::move(source);
}

void ManualClock::install()
{
    setDemoClockSource([this] { return now; });
}
