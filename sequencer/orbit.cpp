// sequencer/orbit.cpp
#include "sequencer/orbit.h"

#include <cmath>

#include "sequencer/camera.h"
#include "sequencer/demoClock.h"

OrbitAngles orbitSwayAt(const OrbitSnapshot& s, float t, float amplitude, float speed)
{
    // The angle eases in over two seconds so the sway starts from rest.
    float r = t < 2.0f ? t * 0.5f : 1.0f;
    float ease = (3.0f - 2.0f * r) * r * r;
    float angle = ease * t * speed;
    return {s.yaw + std::sin(angle) * amplitude, s.pitch + (std::cos(angle) - 1.0f) * (amplitude * 0.7f)};
}

OrbitAngles orbitTurnAt(const OrbitSnapshot& s, float t, float yawSpeed, float pitchAmp, float pitchFreq,
                        float rampTime)
{
    float yaw;
    if (t < rampTime) {
        // u^3 - u^4/2 reaches the full speed at u = 1 with matching position and slope.
        float u = t / rampTime;
        yaw = s.yaw + (u * u * u - 0.5f * u * u * u * u) * yawSpeed * rampTime;
    } else {
        yaw = s.yaw + (t - rampTime) * yawSpeed + 0.5f * yawSpeed * rampTime;
    }
    return {yaw, s.pitch + std::sin(t * pitchFreq * 6.2832f) * pitchAmp};
}

OrbitAngles orbitSpinUpAt(const OrbitSnapshot& s, float t, float startSpeed, float peakSpeed, float rampTime,
                          float tau)
{
    float extra = peakSpeed - startSpeed;
    float rampArea = extra * rampTime / 1.5708f;
    float yaw;
    if (t < rampTime) {
        // Speed rises along a quarter sine from startSpeed to peakSpeed.
        yaw = s.yaw + (1.0f - std::cos(t / rampTime * 1.5708f)) * rampArea + startSpeed * t;
    } else {
        // Then the extra speed decays back with time constant tau.
        float after = t - rampTime;
        yaw = s.yaw + (1.0f - std::exp(-after / tau)) * (extra * tau) + rampArea + startSpeed * rampTime +
              startSpeed * after;
    }
    return {yaw, s.pitch + std::sin(t * 0.15f) * 0.1f};
}

namespace {
float secondsSince(const OrbitSnapshot& s)
{
    return (float)(demoClock() - s.time);
}

void applyAngles(OrbitAngles a)
{
    cameraYaw = a.yaw;
    cameraPitch = a.pitch;
}
}

void orbitSway(const OrbitSnapshot& s, float amplitude, float speed)
{
    applyAngles(orbitSwayAt(s, secondsSince(s), amplitude, speed));
}

void orbitTurn(const OrbitSnapshot& s, float yawSpeed, float pitchAmp, float pitchFreq, float rampTime)
{
    applyAngles(orbitTurnAt(s, secondsSince(s), yawSpeed, pitchAmp, pitchFreq, rampTime));
}

void orbitSpinUp(const OrbitSnapshot& s, float startSpeed, float peakSpeed, float rampTime, float tau)
{
    applyAngles(orbitSpinUpAt(s, secondsSince(s), startSpeed, peakSpeed, rampTime, tau));
}
