// tools/soundtrack/dsp.h
// Small signal pieces the instruments share: tempo grid, pitch, noise, band-limited saw and a stable filter.
#pragma once

#include <cmath>
#include <cstdint>
#include <vector>

constexpr int sampleRate = 44100;
constexpr double tempoBpm = 128.0;
constexpr double samplesPerBeat = 60.0 / tempoBpm * sampleRate;
constexpr float twoPi = 6.28318530718f;

// Positions are rounded from the exact grid every time, so no drift builds up over the piece.
inline long beatSample(double beat)
{
    return std::lround(beat * samplesPerBeat);
}

inline float noteHz(float midiNote)
{
    return 440.0f * std::pow(2.0f, (midiNote - 69.0f) / 12.0f);
}

struct Stereo {
    std::vector<float> left;
    std::vector<float> right;
};

// Deterministic white noise, so every build renders the same piece.
struct Noise {
    uint32_t state;
    explicit Noise(uint32_t seed) : state(seed ? seed : 1u) {}
    float next()
    {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return (float)state / 2147483648.0f - 1.0f;
    }
};

// Sawtooth with a polynomial band-limited step, so high notes do not alias into hiss.
struct Saw {
    float phase = 0.0f;
    float next(float hz)
    {
        float dt = hz / (float)sampleRate;
        phase += dt;
        if (phase >= 1.0f)
            phase -= 1.0f;
        float value = 2.0f * phase - 1.0f;
        if (phase < dt) {
            float t = phase / dt;
            value -= t + t - t * t - 1.0f;
        } else if (phase > 1.0f - dt) {
            float t = (phase - 1.0f) / dt;
            value -= t * t + t + t + 1.0f;
        }
        return value;
    }
};

// Trapezoidal state-variable low-pass: stays stable while its cutoff sweeps fast.
struct LowPass {
    float ic1 = 0.0f;
    float ic2 = 0.0f;
    float g = 0.0f;
    float k = 1.0f;
    void set(float cutoffHz, float q)
    {
        float limited = cutoffHz < 0.45f * sampleRate ? cutoffHz : 0.45f * sampleRate;
        g = std::tan(3.14159265f * limited / (float)sampleRate);
        k = 1.0f / q;
    }
    float next(float input)
    {
        float a1 = 1.0f / (1.0f + g * (g + k));
        float a2 = g * a1;
        float a3 = g * a2;
        float v3 = input - ic2;
        float v1 = a1 * ic1 + a2 * v3;
        float v2 = ic2 + a2 * ic1 + a3 * v3;
        ic1 = 2.0f * v1 - ic1;
        ic2 = 2.0f * v2 - ic2;
        return v2;
    }
};

// Pump of the music under the kick: a dip at each beat that recovers by mid-beat.
inline float kickDuck(long sample, float depth)
{
    double position = std::fmod((double)sample, samplesPerBeat) / samplesPerBeat;
    float rise = (float)(position / 0.45);
    if (rise >= 1.0f)
        return 1.0f;
    float smooth = rise * rise * (3.0f - 2.0f * rise);
    return 1.0f - depth * (1.0f - smooth);
}
