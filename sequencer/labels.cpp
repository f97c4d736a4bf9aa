// sequencer/labels.cpp
#include "sequencer/labels.h"

void showLabel(LabelState& labels, const char* text, double now)
{
    if (!text || !*text)
        return;
    std::vector<LabelEntry>& log = labels.labelLog;
    // Only the newest entry is compared, so a word may come back after another one.
    if (!log.empty() && log.back().text == text)
        return;
    log.push_back({text, (float)now});
    if ((int)log.size() > labelLogCapacity)
        log.erase(log.begin());
}

void clearLabels(LabelState& labels)
{
    labels = LabelState();
}

void setTimedLabels(LabelState& labels, const TimedLabel* entries, int count)
{
    if (!entries || count <= 0) {
        labels.timedLabels.clear();
        return;
    }
    labels.timedLabels.assign(entries, entries + count);
}

void showDueTimedLabels(LabelState& labels, float sceneTime, double now)
{
    const std::vector<TimedLabel>& due = labels.timedLabels;
    while (labels.timedLabelCursor < (int)due.size() && sceneTime >= due[labels.timedLabelCursor].time) {
        showLabel(labels, due[labels.timedLabelCursor].text, now);
        ++labels.timedLabelCursor;
    }
}
