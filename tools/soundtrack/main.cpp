// tools/soundtrack/main.cpp
// Renders the soundtrack and writes it as a 44.1 kHz stereo WAV: soundtrack <output.wav>
#include "arrangement.h"
#include "effects.h"
#include "wavFile.h"

#include <cmath>
#include <cstdio>

namespace {
// One decibel below full scale leaves room for the encoder's ripple.
constexpr float peakTarget = 0.891f;

// A 10 Hz high-pass on the master removes any offset the voices leave behind.
void blockOffset(std::vector<float>& channel)
{
    const float pole = 1.0f - twoPi * 10.0f / (float)sampleRate;
    float previousIn = 0.0f;
    float previousOut = 0.0f;
    for (float& sample : channel) {
        float out = sample - previousIn + pole * previousOut;
        previousIn = sample;
        previousOut = out;
        sample = out;
    }
}

// The ring-out ends in silence, whatever still echoes.
void fadeOut(std::vector<float>& channel, long from)
{
    const long length = (long)channel.size() - from;
    for (long i = 0; i < length; ++i) {
        float level = 1.0f - (float)i / (float)length;
        channel[from + i] *= level * level;
    }
}

float normalisePeak(Stereo& out)
{
    float peak = 0.0f;
    for (size_t i = 0; i < out.left.size(); ++i)
        peak = std::fmax(peak, std::fmax(std::fabs(out.left[i]), std::fabs(out.right[i])));
    if (peak <= 0.0f)
        return 0.0f;
    float scale = peakTarget / peak;
    for (size_t i = 0; i < out.left.size(); ++i) {
        out.left[i] *= scale;
        out.right[i] *= scale;
    }
    return peak;
}
}

int main(int argc, char** argv)
{
    if (argc != 2) {
        fprintf(stderr, "usage: soundtrack <output.wav>\n");
        return 1;
    }
    Mix mix = makeMix(pieceFrames());
    arrangePiece(mix);
    addPingPongDelay(mix.leadBus, beatSample(0.75), 0.42f, mix.main, mix.reverbSend);
    addRoom(mix.reverbSend, 0.8f, mix.main);
    blockOffset(mix.main.left);
    blockOffset(mix.main.right);
    fadeOut(mix.main.left, fadeOutStart());
    fadeOut(mix.main.right, fadeOutStart());
    float rawPeak = normalisePeak(mix.main);
    if (rawPeak <= 0.0f) {
        fprintf(stderr, "soundtrack: the mix is silent\n");
        return 1;
    }
    if (!writeWav(argv[1], mix.main.left, mix.main.right, sampleRate)) {
        fprintf(stderr, "soundtrack: cannot write %s\n", argv[1]);
        return 1;
    }
    printf("soundtrack: %.1f s, mix peak %.3f scaled to %.3f\n", (double)mix.main.left.size() / sampleRate,
           (double)rawPeak, (double)peakTarget);
    return 0;
}
