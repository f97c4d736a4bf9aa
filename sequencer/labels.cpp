// sequencer/labels.cpp
#include "sequencer/labels.h"

#include "sequencer/demoClock.h"

std::vector<TimedLabel> timedLabels;
int timedLabelCursor = 0;
std::vector<LabelEntry> labelLog;

void showLabel(const char* text)
{
    if (!text || !*text)
        return;
    // Only the newest entry is compared, so a word may come back after another one.
    if (!labelLog.empty() && labelLog.back().text == text)
        return;
    labelLog.push_back({text, (float)demoClock()});
    if ((int)labelLog.size() > labelLogCapacity)
        labelLog.erase(labelLog.begin());
}

void clearLabels()
{
    labelLog.clear();
    timedLabelCursor = 0;
    timedLabels.clear();
}

void setTimedLabels(const TimedLabel* entries, int count)
{
    if (!entries || count <= 0) {
        timedLabels.clear();
        return;
    }
    timedLabels.assign(entries, entries + count);
}

void showDueTimedLabels(float sceneTime)
{
    while (timedLabelCursor < (int)timedLabels.size() && sceneTime >= timedLabels[timedLabelCursor].time) {
        showLabel(timedLabels[timedLabelCursor].text);
        ++timedLabelCursor;
    }
}
