// sequencer/sceneSequence.h
// The scene table, the playlist, the scene switch with its camera transition, and the playlist advance.
#pragma once

#include <vector>

class cSceneBase;
struct ShowState;

struct CameraTransition {
    double start = 0.0;
    float fromYaw = 0.0f, fromPitch = 0.0f, fromDistance = 0.0f;
    float toYaw = 0.0f, toPitch = 0.0f, toDistance = 0.0f;
    float fromBg[3] = {0.0f, 0.0f, 0.0f};
    float toBg[3] = {0.0f, 0.0f, 0.0f};
};

// Intro, Cornell box, cathedral, shutters, metaballs, cloud and lightning, fog, Amiga ball, group name, gear logo.
inline const std::vector<int> showPlaylist = {9, 2, 3, 7, 0, 8, 1, 6, 5, 4};

struct SceneSequence {
    // One slot per table index; the show that owns the scenes fills it, and the playlist passes over empty slots.
    std::vector<cSceneBase*> sceneTable;
    std::vector<int> scenePlaylist = showPlaylist;
    int currentSceneIndex = showPlaylist[0];
    int playlistPos = 0;
    cSceneBase* currentScene = nullptr;
    int lastAppliedScene = -1;  // the scene entered last; -1 before the first switch
    CameraTransition cameraTransition;
    bool cameraTransitionActive = false;
};

// The sequencer's two calls in each frame, with the scene's fill between them:
// enter the requested scene when it is not the one entered last (true when it did) ...
bool applySceneSwitch(ShowState& show);
// ... then the camera transition step or the scene's update, then the playlist advance.
// Returns true when the show is over and the window should close.
bool stepSequencer(ShowState& show);

void switchScene(ShowState& show);
void stepCameraTransition(ShowState& show);
// Returns true when the show is over and the window should close.
bool advancePlaylist(ShowState& show);
