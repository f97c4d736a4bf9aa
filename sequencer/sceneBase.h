// sequencer/sceneBase.h
// The interface every scene implements, and the state the sequencer keeps in each scene object.
#pragma once

#include "sequencer/orbit.h"
#include "sequencer/timeline.h"

class cSceneBase {
public:
    virtual ~cSceneBase() = default;
    virtual void enter() = 0;
    // Runs once per frame outside a camera transition; the default just steps the script.
    virtual void update();
    // Writes the volume through the scene's fill program.
    virtual void fill(int volSize) = 0;
    // Puts back what the scene keeps across visits for the whole run; most scenes keep nothing.
    virtual void resetRun() {}

    // Seconds since the scene's timeline started.
    double sceneTime() const;

    bool finished = false;
    float cameraTarget[3] = {-999.0f, -999.0f, -999.0f};  // yaw, pitch, distance; yaw > -900 asks for a transition
    SceneTimeline timeline;
    OrbitSnapshot orbit;
    unsigned fillProgram = 0;  // built from the scene's registry row; 0 skips the fill

protected:
    // Common tail of every entry before the phases are appended: not finished, owned, empty script.
    void beginScript();
    // Where the camera travels to on entry.
    void aimCamera(float yaw, float pitch, float distance);
};
