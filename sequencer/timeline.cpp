// sequencer/timeline.cpp
#include "sequencer/timeline.h"

#include "sequencer/demoClock.h"
#include "sequencer/labels.h"
#include "sequencer/sceneBase.h"

void startTimeline(SceneTimeline& timeline)
{
    if (timeline.phases.empty())
        return;
    timeline.index = 0;
    timeline.phaseStart = timeline.sceneStart = demoClock();
    if (timeline.phases[0].onStart)
        timeline.phases[0].onStart();
}

void updateTimeline(SceneTimeline& timeline)
{
    const int index = timeline.index;
    if (index < 0 || index >= (int)timeline.phases.size())
        return;
    showDueTimedLabels((float)(demoClock() - timeline.sceneStart));

    float elapsed = (float)(demoClock() - timeline.phaseStart);
    {
        Phase& phase = timeline.phases[index];
        float progress = phase.duration > 0.0f ? elapsed / phase.duration : 0.0f;
        if (phase.onUpdate)
            phase.onUpdate(progress, phase);
    }
    // A callback that already ended its phase has begun the next one; timing it out too would skip that one.
    if (timeline.index != index)
        return;
    const Phase& phase = timeline.phases[index];
    if (phase.duration > 0.0f && elapsed > phase.duration)
        advancePhase(timeline);
}

void advancePhase(SceneTimeline& timeline)
{
    ++timeline.index;
    timeline.phaseStart = demoClock();
    if (timeline.index < (int)timeline.phases.size()) {
        if (timeline.phases[timeline.index].onStart)
            timeline.phases[timeline.index].onStart();
    } else if (timeline.owner) {
        timeline.owner->finished = true;
    }
}
