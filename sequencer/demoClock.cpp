// sequencer/demoClock.cpp
#include "sequencer/demoClock.h"

namespace {
double frameTimeSec = 0.0;
}

double demoClock()
{
    return frameTimeSec;
}

void setDemoClock(double showTimeSec)
{
    frameTimeSec = showTimeSec;
}
