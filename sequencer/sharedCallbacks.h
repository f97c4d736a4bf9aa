// sequencer/sharedCallbacks.h
// Phase callbacks that almost every script uses.
#pragma once

#include "sequencer/timeline.h"

class cSceneBase;

// onUpdate: advances the scene's script once no camera transition is running.
std::function<void(float, Phase&)> waitForCamera(cSceneBase& scene);
// onStart: snapshot the camera and the clock into the scene's orbit snapshot.
std::function<void()> orbitStart(cSceneBase& scene);
// onStart: freeze the GI, then snapshot like orbitStart.
std::function<void()> orbitStartAndFreeze(cSceneBase& scene);
// onUpdate: orbit turn with yawSpeed 0.4, pitchAmp 0.07, pitchFreq 0.15, rampTime 2.0.
std::function<void(float, Phase&)> orbitTurnStandard(cSceneBase& scene);
// onUpdate: orbit spin-up with startSpeed 0.2, peakSpeed 16.0, rampTime 0.3, tau 1.0.
std::function<void(float, Phase&)> orbitSpinUpStandard(cSceneBase& scene);

// The phase that opens every script that asks for a camera transition.
Phase waitTransitionPhase(cSceneBase& scene, std::function<void()> onStart = {});
