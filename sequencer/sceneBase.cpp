// sequencer/sceneBase.cpp
#include "sequencer/sceneBase.h"

#include "sequencer/showState.h"

void cSceneBase::update()
{
    updateTimeline(show, timeline);
}

FillRequest cSceneBase::fill() const
{
    return {(float)sceneTime(), {}};
}

double cSceneBase::sceneTime() const
{
    return show.demoClock - timeline.sceneStart;
}

void cSceneBase::beginScript()
{
    finished = false;
    timeline.owner = this;
    timeline.phases.clear();
    timeline.index = 0;
}

void cSceneBase::aimCamera(float yaw, float pitch, float distance)
{
    cameraTarget[0] = yaw;
    cameraTarget[1] = pitch;
    cameraTarget[2] = distance;
}
