// sequencer/sceneSequence.h
// The scene table, the playlist, the scene switch with its camera transition, and the playlist advance.
#pragma once

#include <vector>

class cSceneBase;

// One slot per table index of the scene registry, which fills it; the playlist passes over empty slots.
extern std::vector<cSceneBase*> sceneTable;
extern std::vector<int> scenePlaylist;
extern int currentSceneIndex;
extern int playlistPos;
extern cSceneBase* currentScene;

struct CameraTransition {
    double start = 0.0;
    float fromYaw = 0.0f, fromPitch = 0.0f, fromDistance = 0.0f;
    float toYaw = 0.0f, toPitch = 0.0f, toDistance = 0.0f;
    float fromBg[3] = {0.0f, 0.0f, 0.0f};
    float toBg[3] = {0.0f, 0.0f, 0.0f};
};
extern CameraTransition cameraTransition;
extern bool cameraTransitionActive;

// Index of the scene entered last; -1 before the first switch.
extern int lastAppliedScene;

// The sequencer's two calls in each frame, with the scene's fill between them:
// enter the requested scene when it is not the one entered last (true when it did) ...
bool applySceneSwitch();
// ... then the camera transition step or the scene's update, then the playlist advance.
// Returns true when the show is over and the window should close.
bool stepSequencer();

void switchScene();
void stepCameraTransition();
// Returns true when the show is over and the window should close.
bool advancePlaylist();

// Back to the state before the first frame (no scene current); the table and playlist stay.
void resetSceneSequence();
