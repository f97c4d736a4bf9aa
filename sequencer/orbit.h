// sequencer/orbit.h
// Camera motions that animate yaw and pitch from a snapshot taken when a phase starts.
#pragma once

struct ShowState;

struct OrbitSnapshot {
    float yaw = 0.0f;
    float pitch = 0.0f;
    float distance = 0.0f;
    double time = 0.0;
};

struct OrbitAngles {
    float yaw;
    float pitch;
};

// Pure forms: t is seconds since the snapshot.
OrbitAngles orbitSwayAt(const OrbitSnapshot& s, float t, float amplitude, float speed);
OrbitAngles orbitTurnAt(const OrbitSnapshot& s, float t, float yawSpeed, float pitchAmp, float pitchFreq, float rampTime);
OrbitAngles orbitSpinUpAt(const OrbitSnapshot& s, float t, float startSpeed, float peakSpeed, float rampTime, float tau);

// Writers: read the show's clock, set cameraYaw and cameraPitch, leave cameraDistance alone.
void orbitSway(ShowState& show, const OrbitSnapshot& s, float amplitude, float speed);
void orbitTurn(ShowState& show, const OrbitSnapshot& s, float yawSpeed, float pitchAmp, float pitchFreq,
               float rampTime);
void orbitSpinUp(ShowState& show, const OrbitSnapshot& s, float startSpeed, float peakSpeed, float rampTime,
                 float tau);
