// sequencer/timeline.cpp
#include "sequencer/timeline.h"

#include "sequencer/sceneBase.h"
#include "sequencer/showState.h"

void startTimeline(ShowState& show, SceneTimeline& timeline)
{
    if (timeline.phases.empty())
        return;
    timeline.index = 0;
    timeline.phaseStart = timeline.sceneStart = show.demoClock;
    if (timeline.phases[0].onStart)
        timeline.phases[0].onStart();
}

void updateTimeline(ShowState& show, SceneTimeline& timeline)
{
    const int index = timeline.index;
    if (index < 0 || index >= (int)timeline.phases.size())
        return;
    showDueTimedLabels(show.labels, (float)(show.demoClock - timeline.sceneStart), show.demoClock);

    float elapsed = (float)(show.demoClock - timeline.phaseStart);
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
        advancePhase(show, timeline);
}

void advancePhase(ShowState& show, SceneTimeline& timeline)
{
    ++timeline.index;
    timeline.phaseStart = show.demoClock;
    if (timeline.index < (int)timeline.phases.size()) {
        if (timeline.phases[timeline.index].onStart)
            timeline.phases[timeline.index].onStart();
    } else if (timeline.owner) {
        timeline.owner->finished = true;
    }
}
