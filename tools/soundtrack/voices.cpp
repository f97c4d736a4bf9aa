// tools/soundtrack/voices.cpp
#include "voices.h"

namespace {
inline void addAt(std::vector<float>& bus, long index, float value)
{
    if (index >= 0 && index < (long)bus.size())
        bus[index] += value;
}

inline void addPanned(Mix& mix, long index, float value, float pan)
{
    addAt(mix.main.left, index, value * (0.5f - 0.5f * pan) * 1.41421356f);
    addAt(mix.main.right, index, value * (0.5f + 0.5f * pan) * 1.41421356f);
}

// Linear attack and release around a held note, in samples.
inline float gateEnvelope(long i, long length, long attack, long release)
{
    float level = i < attack ? (float)i / (float)attack : 1.0f;
    if (i > length)
        level *= 1.0f - (float)(i - length) / (float)release;
    return level < 0.0f ? 0.0f : level;
}
}

Mix makeMix(long frames)
{
    Mix mix;
    mix.main.left.assign(frames, 0.0f);
    mix.main.right.assign(frames, 0.0f);
    mix.leadBus.assign(frames, 0.0f);
    mix.reverbSend.assign(frames, 0.0f);
    return mix;
}

void addKick(Mix& mix, long start, float gain)
{
    const long length = (long)(0.42f * sampleRate);
    Noise noise(0x9e3779b9u ^ (uint32_t)start);
    LowPass clickFilter;
    clickFilter.set(3000.0f, 0.7f);
    float phase = 0.0f;
    for (long i = 0; i < length; ++i) {
        float t = (float)i / (float)sampleRate;
        float hz = 46.0f + 130.0f * std::exp(-t / 0.032f);
        phase += hz / (float)sampleRate;
        float body = std::sin(twoPi * phase) * (t < 0.0008f ? t / 0.0008f : 1.0f) * std::exp(-t / 0.2f);
        float click = clickFilter.next(noise.next()) * std::exp(-t / 0.0025f) * 0.5f;
        float fadeOut = i > length - 400 ? (float)(length - i) / 400.0f : 1.0f;
        float value = std::tanh(1.8f * (body + click)) * gain * fadeOut;
        addPanned(mix, start + i, value * 0.9f, 0.0f);
    }
}

void addHat(Mix& mix, long start, float gain, bool open, uint32_t seed)
{
    const float decaySec = open ? 0.085f : 0.016f;
    const long length = (long)((open ? 0.32f : 0.07f) * sampleRate);
    Noise noise(seed);
    LowPass body;
    body.set(7000.0f, 0.6f);
    LowPass air;
    air.set(15000.0f, 0.7f);
    float pan = open ? 0.25f : -0.2f;
    for (long i = 0; i < length; ++i) {
        float t = (float)i / (float)sampleRate;
        float white = noise.next();
        // High-pass by removing the low-passed part; the second filter takes the harsh top off.
        float bright = air.next(white - body.next(white));
        float value = bright * std::exp(-t / decaySec) * (t < 0.0005f ? t / 0.0005f : 1.0f) * gain;
        addPanned(mix, start + i, value, pan);
        addAt(mix.reverbSend, start + i, value * 0.15f);
    }
}

void addBass(Mix& mix, long start, long length, int note, float gain, float brightness)
{
    const long release = (long)(0.03f * sampleRate);
    const float hz = noteHz((float)note);
    Saw low, high;
    high.phase = 0.37f;
    float subPhase = 0.0f;
    LowPass filter;
    for (long i = 0; i < length + release; ++i) {
        float t = (float)i / (float)sampleRate;
        if ((i & 15) == 0)
            filter.set(160.0f + (300.0f + 2400.0f * brightness) * std::exp(-t / 0.08f), 1.4f);
        subPhase += hz / (float)sampleRate;
        float raw = 0.5f * (low.next(hz * 0.9965f) + high.next(hz * 1.0035f)) + 0.6f * std::sin(twoPi * subPhase);
        float value = filter.next(raw) * gateEnvelope(i, length, 120, release) * gain;
        addPanned(mix, start + i, value * kickDuck(start + i, 0.7f), 0.0f);
    }
}

void addPad(Mix& mix, long start, long length, const int* notes, int count, float gain, float brightness)
{
    const long attack = (long)(0.3f * sampleRate);
    const long release = (long)(0.7f * sampleRate);
    const float detune[3] = {0.9952f, 1.0f, 1.0048f};
    for (int n = 0; n < count; ++n) {
        const float hz = noteHz((float)notes[n]);
        Saw voices[3];
        for (int v = 0; v < 3; ++v)
            voices[v].phase = 0.13f * (float)(n * 3 + v) + 0.07f;
        LowPass filterLeft, filterRight;
        for (long i = 0; i < length + release; ++i) {
            if ((i & 31) == 0) {
                float sweep = 0.5f + 0.5f * std::sin(twoPi * 0.11f * ((float)(start + i) / (float)sampleRate));
                float cutoff = 350.0f + 2600.0f * brightness * (0.55f + 0.45f * sweep);
                filterLeft.set(cutoff, 0.8f);
                filterRight.set(cutoff * 1.07f, 0.8f);
            }
            float a = voices[0].next(hz * detune[0]);
            float b = voices[1].next(hz * detune[1]);
            float c = voices[2].next(hz * detune[2]);
            float level = gateEnvelope(i, length, attack, release) * gain * kickDuck(start + i, 0.45f) / (float)count;
            float left = filterLeft.next(0.7f * a + 0.45f * b + 0.15f * c) * level;
            float right = filterRight.next(0.15f * a + 0.45f * b + 0.7f * c) * level;
            addAt(mix.main.left, start + i, left);
            addAt(mix.main.right, start + i, right);
            addAt(mix.reverbSend, start + i, 0.3f * (left + right));
        }
    }
}

void addStab(Mix& mix, long start, const int* notes, int count, float gain, float pan)
{
    const long length = (long)(0.25f * sampleRate);
    for (int n = 0; n < count; ++n) {
        const float hz = noteHz((float)notes[n]);
        Saw saw;
        saw.phase = 0.21f * (float)n;
        float squarePhase = 0.0f;
        LowPass filter;
        for (long i = 0; i < length; ++i) {
            float t = (float)i / (float)sampleRate;
            if ((i & 15) == 0)
                filter.set(900.0f + 3500.0f * std::exp(-t / 0.05f), 1.1f);
            squarePhase += hz * 0.5f / (float)sampleRate;
            float square = std::sin(twoPi * squarePhase) > 0.0f ? 0.3f : -0.3f;
            float env = std::exp(-t / 0.07f) * (i < 90 ? (float)i / 90.0f : 1.0f);
            float value = filter.next(saw.next(hz) + square) * env * gain / (float)count;
            addPanned(mix, start + i, value * kickDuck(start + i, 0.4f), pan);
            addAt(mix.reverbSend, start + i, value * 0.35f);
        }
    }
}

void addLead(Mix& mix, long start, long length, int note, float gain)
{
    const long release = (long)(0.09f * sampleRate);
    const float hz = noteHz((float)note);
    float phase = 0.0f;
    float sinePhase = 0.0f;
    LowPass filter;
    filter.set(3200.0f, 0.9f);
    for (long i = 0; i < length + release; ++i) {
        float t = (float)i / (float)sampleRate;
        // Vibrato creeps in after the note has spoken.
        float depth = t < 0.18f ? 0.0f : (t < 0.4f ? (t - 0.18f) / 0.22f : 1.0f);
        float bend = std::pow(2.0f, depth * 0.012f * std::sin(twoPi * 5.5f * t));
        phase += hz * bend / (float)sampleRate;
        phase -= std::floor(phase);
        sinePhase += hz * bend / (float)sampleRate;
        // Centred so the narrow pulse carries no offset.
        float pulse = (phase < 0.35f ? 0.6f : -0.6f) + 0.18f;
        float raw = 0.45f * pulse + 0.8f * std::sin(twoPi * sinePhase);
        float decay = 0.7f + 0.3f * std::exp(-t / 0.12f);
        float value = filter.next(raw) * gateEnvelope(i, length, 350, release) * decay * gain;
        addAt(mix.leadBus, start + i, value);
    }
}

void addRiser(Mix& mix, long start, long length, float gain)
{
    Noise noise(0x5eedu);
    LowPass filter;
    for (long i = 0; i < length; ++i) {
        float progress = (float)i / (float)length;
        if ((i & 31) == 0)
            filter.set(300.0f + 9000.0f * progress * progress, 2.0f);
        float value = filter.next(noise.next()) * progress * progress * gain;
        float pan = 0.6f * std::sin(twoPi * 0.5f * (float)i / (float)sampleRate);
        addPanned(mix, start + i, value, pan);
        addAt(mix.reverbSend, start + i, value * 0.4f);
    }
}

void addChip(Mix& mix, long start, int note, float gain, float pan, float echo)
{
    const long length = (long)(0.16f * sampleRate);
    const float hz = noteHz((float)note);
    // The difference of two band-limited saws a quarter cycle apart is a clean 25% pulse.
    Saw leading, trailing;
    trailing.phase = 0.25f;
    for (long i = 0; i < length; ++i) {
        float t = (float)i / (float)sampleRate;
        float pulse = 0.5f * (leading.next(hz) - trailing.next(hz));
        float env = std::exp(-t / 0.045f) * (i < 60 ? (float)i / 60.0f : 1.0f);
        float value = pulse * env * gain;
        addPanned(mix, start + i, value * (1.0f - echo), pan);
        addAt(mix.leadBus, start + i, value * echo);
        addAt(mix.reverbSend, start + i, value * 0.25f);
    }
}

void addNoiseHit(Mix& mix, long start, float gain, float lowHz, float highHz, float decaySec, uint32_t seed)
{
    const long length = (long)(4.0f * decaySec * sampleRate);
    Noise noiseLeft(seed), noiseRight(seed * 2654435761u + 1u);
    LowPass floorLeft, floorRight, topLeft, topRight;
    floorLeft.set(lowHz, 0.7f);
    floorRight.set(lowHz, 0.7f);
    topLeft.set(highHz, 0.7f);
    topRight.set(highHz, 0.7f);
    for (long i = 0; i < length; ++i) {
        float t = (float)i / (float)sampleRate;
        float env = std::exp(-t / decaySec) * (i < 40 ? (float)i / 40.0f : 1.0f) * gain;
        float fadeOut = i > length - 2000 ? (float)(length - i) / 2000.0f : 1.0f;
        // Taking the low-passed floor away leaves the low band to the kick.
        float whiteLeft = noiseLeft.next(), whiteRight = noiseRight.next();
        float left = topLeft.next(whiteLeft - floorLeft.next(whiteLeft)) * env * fadeOut;
        float right = topRight.next(whiteRight - floorRight.next(whiteRight)) * env * fadeOut;
        addAt(mix.main.left, start + i, left);
        addAt(mix.main.right, start + i, right);
        addAt(mix.reverbSend, start + i, 0.2f * (left + right));
    }
}
