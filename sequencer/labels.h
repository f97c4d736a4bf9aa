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

struct LabelState {
    std::vector<TimedLabel> timedLabels;
    int timedLabelCursor = 0;
    std::vector<LabelEntry> labelLog;
};

void showLabel(LabelState& labels, const char* text, double now);
void clearLabels(LabelState& labels);
void setTimedLabels(LabelState& labels, const TimedLabel* entries, int count);
// Shows every timed label due by sceneTime, stopping at the first that is not; the timeline calls it each frame.
void showDueTimedLabels(LabelState& labels, float sceneTime, double now);
