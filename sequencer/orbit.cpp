// sequencer/orbit.cpp
#include "sequencer/orbit.h"

#include <cmath>

#include "sequencer/showState.h"

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
float secondsSince(const ShowState& show, const OrbitSnapshot& s)
{
    return (float)(show.demoClock - s.time);
}

void applyAngles(ShowState& show, OrbitAngles a)
{
    show.cameraYaw = a.yaw;
    show.cameraPitch = a.pitch;
}
}

void orbitSway(ShowState& show, const OrbitSnapshot& s, float amplitude, float speed)
{
    applyAngles(show, orbitSwayAt(s, secondsSince(show, s), amplitude, speed));
}

void orbitTurn(ShowState& show, const OrbitSnapshot& s, float yawSpeed, float pitchAmp, float pitchFreq,
               float rampTime)
{
    applyAngles(show, orbitTurnAt(s, secondsSince(show, s), yawSpeed, pitchAmp, pitchFreq, rampTime));
}

void orbitSpinUp(ShowState& show, const OrbitSnapshot& s, float startSpeed, float peakSpeed, float rampTime,
                 float tau)
{
    applyAngles(show, orbitSpinUpAt(s, secondsSince(show, s), startSpeed, peakSpeed, rampTime, tau));
}
