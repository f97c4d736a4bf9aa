// sequencer/labels.h
// Timed labels of the current scene and the on-screen label log the overlay draws.
#pragma once

#include <string>
#include <vector>

struct TimedLabel {
    const char* text;
    float time;  // seconds after the scene start
};

struct LabelEntry {
    std::string text;
    float shown;  // demoClock seconds when it was added
};

constexpr int labelLogCapacity = 6;

extern std::vector<TimedLabel> timedLabels;
extern int timedLabelCursor;
extern std::vector<LabelEntry> labelLog;

void showLabel(const char* text);
void clearLabels();
void setTimedLabels(const TimedLabel* entries, int count);
// Shows every timed label due by sceneTime, stopping at the first that is not; the timeline calls it each frame.
void showDueTimedLabels(float sceneTime);
