// tools/soundtrack/arrangement.cpp
// Sections: intro (0-15), groove (16-47), theme (48-79), breakdown (80-95), peak (96-127), outro (128-143).
// The kick lands on every beat throughout; hats sit on the off-beats; the swing is in the sixteenths.
#include "arrangement.h"

namespace {
struct Chord {
    int bass;
    int notes[4];
};

// Am F C G, and for the second half of the peak Dm Am F E, which leans back into A minor.
const Chord verseChords[4] = {{33, {57, 60, 64, 69}}, {29, {53, 57, 60, 65}}, {36, {55, 60, 64, 67}}, {31, {55, 59, 62, 67}}};
const Chord liftChords[4] = {{38, {50, 57, 62, 65}}, {33, {57, 60, 64, 69}}, {29, {53, 57, 60, 65}}, {40, {52, 56, 59, 64}}};

struct MelodyNote {
    int step;  // sixteenth within the four-bar phrase
    int length;
    int note;
};

const MelodyNote verseTheme[] = {
    {0, 3, 76}, {3, 1, 74}, {4, 2, 72}, {6, 2, 69}, {8, 2, 72}, {10, 2, 76}, {12, 4, 81},
    {16, 3, 79}, {19, 1, 77}, {20, 2, 76}, {22, 2, 72}, {24, 4, 69}, {28, 4, 72},
    {32, 3, 76}, {35, 1, 74}, {36, 2, 72}, {38, 2, 67}, {40, 2, 72}, {42, 2, 76}, {44, 4, 79},
    {48, 2, 81}, {50, 2, 79}, {52, 2, 76}, {54, 2, 74}, {56, 4, 71}, {60, 4, 74},
};
// The answer phrase climbs to the tonic instead of hanging on the fifth.
const MelodyNote verseAnswer[] = {
    {0, 3, 76}, {3, 1, 74}, {4, 2, 72}, {6, 2, 69}, {8, 2, 72}, {10, 2, 76}, {12, 4, 81},
    {16, 3, 79}, {19, 1, 77}, {20, 2, 76}, {22, 2, 72}, {24, 4, 69}, {28, 4, 72},
    {32, 2, 79}, {34, 2, 76}, {36, 2, 79}, {38, 2, 84}, {40, 4, 83}, {44, 4, 79},
    {48, 2, 71}, {50, 2, 74}, {52, 4, 79}, {56, 8, 81},
};
const MelodyNote liftTheme[] = {
    {0, 3, 77}, {3, 1, 76}, {4, 2, 74}, {6, 2, 69}, {8, 4, 74}, {12, 4, 77},
    {16, 3, 76}, {19, 1, 74}, {20, 2, 72}, {22, 2, 69}, {24, 8, 76},
    {32, 2, 72}, {34, 2, 74}, {36, 2, 77}, {38, 2, 81}, {40, 4, 79}, {44, 4, 77},
    {48, 4, 76}, {52, 4, 80}, {56, 4, 83}, {60, 4, 88},
};

enum Section { intro, groove, theme, breakdown, peak, outro };

Section sectionOf(int bar)
{
    if (bar < 16)
        return intro;
    if (bar < 48)
        return groove;
    if (bar < 80)
        return theme;
    if (bar < 96)
        return breakdown;
    if (bar < 128)
        return peak;
    return outro;
}

const Chord& chordOf(int bar)
{
    return (bar >= 112 && bar < 128) ? liftChords[bar % 4] : verseChords[bar % 4];
}

constexpr float swingAmount = 0.16f;

// Sixteenth positions; the second and fourth of each beat are pushed late by the swing.
long stepSample(int bar, int step, bool swung)
{
    double sixteenth = bar * 16 + step;
    if (swung && (step % 2) == 1)
        sixteenth += swingAmount;
    return beatSample(sixteenth / 4.0);
}

long stepsLength(int steps)
{
    return beatSample(steps / 4.0);
}

void arrangeDrums(Mix& mix, int bar)
{
    Section section = sectionOf(bar);
    float kickGain = section == breakdown ? 0.6f : 1.0f;
    for (int beat = 0; beat < 4; ++beat) {
        int beatStep = beat * 4;
        addKick(mix, stepSample(bar, beatStep, false), kickGain);
        uint32_t seed = (uint32_t)(bar * 16 + beatStep) * 2654435761u;
        bool hats = (bar >= 8 && section != breakdown && bar < 140) || (bar >= 92 && bar < 96);
        if (hats) {
            bool open = section == peak || (section == theme && bar % 4 == 3 && beat == 3);
            addHat(mix, stepSample(bar, beatStep + 2, false), open ? 0.3f : 0.42f, open, seed);
        }
        bool ghosts = section == theme || section == peak || (bar >= 92 && bar < 96);
        if (ghosts) {
            addHat(mix, stepSample(bar, beatStep + 1, true), 0.12f, false, seed + 1);
            addHat(mix, stepSample(bar, beatStep + 3, true), 0.18f, false, seed + 2);
        }
    }
}

void arrangeBass(Mix& mix, int bar)
{
    Section section = sectionOf(bar);
    if (section == intro || section == breakdown || bar >= 136)
        return;
    const Chord& chord = chordOf(bar);
    float brightness = section == peak ? 0.8f : (section == theme ? 0.55f : 0.35f);
    for (int beat = 0; beat < 4; ++beat) {
        int beatStep = beat * 4;
        if (section == groove || section == outro) {
            addBass(mix, stepSample(bar, beatStep + 2, false), stepsLength(2) - 400, chord.bass, 0.5f, brightness);
            continue;
        }
        // Rolling sixteenths between the kicks, the octave on the off-beat.
        for (int step = 1; step < 4; ++step) {
            int note = chord.bass + (step == 2 ? 12 : 0);
            addBass(mix, stepSample(bar, beatStep + step, true), stepsLength(1) - 300, note, 0.42f, brightness);
        }
    }
}

void arrangeHarmony(Mix& mix, int bar)
{
    Section section = sectionOf(bar);
    const Chord& chord = chordOf(bar);
    float brightness = 0.6f;
    float gain = 0.55f;
    if (section == intro)
        brightness = 0.08f + 0.5f * (float)bar / 16.0f;
    if (section == breakdown)
        brightness = 0.9f;
    if (section == outro)
        gain *= 1.0f - (float)(bar - 128) / 16.0f;
    if (gain > 0.0f)
        addPad(mix, stepSample(bar, 0, false), stepsLength(16) - 800, chord.notes, 3, gain, brightness);
    bool stabs = (section == groove && bar >= 32) || section == peak || (section == theme && bar % 2 == 1);
    if (!stabs)
        return;
    const int stabSteps[4] = {3, 6, 11, 14};
    for (int i = 0; i < 4; ++i) {
        float pan = (i % 2) ? 0.35f : -0.35f;
        addStab(mix, stepSample(bar, stabSteps[i], true), chord.notes + 1, 3, 0.32f, pan);
    }
}

void arrangePhrase(Mix& mix, int firstBar, const MelodyNote* notes, int count, int transpose, float gain)
{
    for (int i = 0; i < count; ++i) {
        const MelodyNote& n = notes[i];
        long start = stepSample(firstBar, n.step, true);
        addLead(mix, start, stepsLength(n.length) - 600, n.note + transpose, gain);
    }
}

template <int count>
void arrangePhrase(Mix& mix, int firstBar, const MelodyNote (&notes)[count], int transpose, float gain)
{
    arrangePhrase(mix, firstBar, notes, count, transpose, gain);
}

void arrangeMelody(Mix& mix, int bar)
{
    if (bar % 4 != 0)
        return;
    Section section = sectionOf(bar);
    bool answer = (bar / 4) % 2 == 1;
    if (section == theme)
        answer ? arrangePhrase(mix, bar, verseAnswer, 0, 0.3f) : arrangePhrase(mix, bar, verseTheme, 0, 0.3f);
    if (section == breakdown && bar >= 84)
        answer ? arrangePhrase(mix, bar, verseAnswer, -12, 0.24f) : arrangePhrase(mix, bar, verseTheme, -12, 0.24f);
    if (section == peak && bar < 112)
        answer ? arrangePhrase(mix, bar, verseAnswer, 0, 0.32f) : arrangePhrase(mix, bar, verseTheme, 0, 0.32f);
    if (section == peak && bar >= 112)
        arrangePhrase(mix, bar, liftTheme, 0, 0.32f);
}
}

long pieceFrames()
{
    return beatSample(pieceBars * 4) + 2 * sampleRate;
}

void arrangePiece(Mix& mix)
{
    for (int bar = 0; bar < pieceBars; ++bar) {
        arrangeDrums(mix, bar);
        arrangeBass(mix, bar);
        arrangeHarmony(mix, bar);
        arrangeMelody(mix, bar);
    }
    addRiser(mix, stepSample(92, 0, false), stepsLength(64), 0.35f);
}
