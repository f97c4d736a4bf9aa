// sequencer/sceneBase.h
// The interface every scene implements, and the state the sequencer keeps in each scene object.
#pragma once

#include "gpu/passPlans.h"
#include "sequencer/orbit.h"
#include "sequencer/timeline.h"

struct ShowState;

class cSceneBase {
public:
    // A scene belongs to one show for its whole life and writes that show's state.
    explicit cSceneBase(ShowState& show) : show(show) {}
    cSceneBase(const cSceneBase&) = delete;
    cSceneBase& operator=(const cSceneBase&) = delete;
    virtual ~cSceneBase() = default;

    // Declares the scene's whole look (render settings, walls, light switches, GI) and builds its script.
    virtual void enter() = 0;
    // Runs once per frame outside a camera transition; the default just steps the script.
    virtual void update();
    // What this frame's fill needs: the time it animates by (the scene time unless it says otherwise) and the
    // scene's own uniforms. Taken before the update, as the fill runs first.
    virtual FillRequest fill() const;

    // Seconds since the scene's timeline started.
    double sceneTime() const;

    ShowState& show;
    bool finished = false;
    float cameraTarget[3] = {-999.0f, -999.0f, -999.0f};  // yaw, pitch, distance; yaw > -900 asks for a transition
    SceneTimeline timeline;
    OrbitSnapshot orbit;
    int fillRow = -1;  // the registry row whose fill program writes this scene's volume; -1 has none

protected:
    // Common tail of every entry before the phases are appended: not finished, owned, empty script.
    void beginScript();
    // Where the camera travels to on entry.
    void aimCamera(float yaw, float pitch, float distance);
};
