// tools/soundtrack/parts.cpp
// The kick lands on every beat; hats sit on the off-beats; the swing is in the sixteenths.
#include "parts.h"

#include <algorithm>

#include "themes.h"

namespace {
constexpr float swingAmount = 0.16f;

// Sixteenth positions; the second and fourth of each beat are pushed late by the swing.
long stepSample(int bar, double step, bool swung)
{
    double sixteenth = bar * 16 + step;
    if (swung && std::fmod(step, 2.0) == 1.0)
        sixteenth += swingAmount;
    return beatSample(sixteenth / 4.0);
}

long stepsLength(double steps)
{
    return beatSample(steps / 4.0);
}

// Sixteenths of this bar that the section still plays.
int openSteps(const BarPlan& plan)
{
    return std::min(16, plan.stepsToSilence);
}

bool playing(const BarPlan& plan, int from)
{
    return plan.inSection >= from;
}

const Chord& chordOf(const BarPlan& plan)
{
    int index = plan.inSection % 4;
    return plan.recipe->liftHarmony ? liftChords[index] : verseChords[index];
}

void addHit(Mix& mix, long start, Hit hit, uint32_t seed)
{
    if (hit == Hit::crash)
        addNoiseHit(mix, start, 0.32f, 5000.0f, 14000.0f, 0.55f, seed);
    if (hit == Hit::thunder)
        addNoiseHit(mix, start, 0.5f, 350.0f, 2200.0f, 0.9f, seed);
}

void arrangeDrums(Mix& mix, const BarPlan& plan)
{
    const Recipe& r = *plan.recipe;
    for (int beat = 0; beat < 4; ++beat) {
        int beatStep = beat * 4;
        addKick(mix, stepSample(plan.bar, beatStep, false), r.kick);
        if (beatStep >= openSteps(plan))
            continue;
        uint32_t seed = (uint32_t)(plan.bar * 16 + beatStep) * 2654435761u;
        if (playing(plan, r.hatsFrom))
            addHat(mix, stepSample(plan.bar, beatStep + 2, false), r.openHats ? 0.3f : 0.42f, r.openHats, seed);
        if (playing(plan, r.ghostsFrom)) {
            addHat(mix, stepSample(plan.bar, beatStep + 1, true), 0.12f, false, seed + 1);
            addHat(mix, stepSample(plan.bar, beatStep + 3, true), 0.18f, false, seed + 2);
        }
    }
    if (r.hit != Hit::none && (plan.inSection == 0 || r.hitEveryBar))
        addHit(mix, stepSample(plan.bar, 0, false), r.hit, (uint32_t)plan.bar * 7919u);
}

void arrangeBass(Mix& mix, const BarPlan& plan)
{
    const Recipe& r = *plan.recipe;
    if (!playing(plan, r.bassFrom))
        return;
    const Chord& chord = chordOf(plan);
    for (int beatStep = 0; beatStep < openSteps(plan); beatStep += 4) {
        if (!playing(plan, r.rollFrom)) {
            addBass(mix, stepSample(plan.bar, beatStep + 2, false), stepsLength(2) - 400, chord.bass, 0.5f,
                    r.bassBrightness);
            continue;
        }
        // Rolling sixteenths between the kicks, the octave on the off-beat.
        for (int step = 1; step < 4; ++step) {
            int note = chord.bass + (step == 2 ? 12 : 0);
            addBass(mix, stepSample(plan.bar, beatStep + step, true), stepsLength(1) - 300, note, 0.42f,
                    r.bassBrightness);
        }
    }
}

void arrangeHarmony(Mix& mix, const BarPlan& plan)
{
    const Recipe& r = *plan.recipe;
    const Chord& chord = chordOf(plan);
    float progress = (float)plan.inSection / (float)std::max(1, plan.sectionBars - 1);
    float brightness = r.padBrightnessFirst + (r.padBrightnessLast - r.padBrightnessFirst) * progress;
    addPad(mix, stepSample(plan.bar, 0, false), stepsLength(openSteps(plan)) - 800, chord.notes, 3, r.padGain,
           brightness);
    if (!playing(plan, r.stabsFrom))
        return;
    const int stabSteps[4] = {3, 6, 11, 14};
    for (int i = 0; i < 4 && stabSteps[i] < openSteps(plan); ++i)
        addStab(mix, stepSample(plan.bar, stabSteps[i], true), chord.notes + 1, 3, 0.32f, (i % 2) ? 0.35f : -0.35f);
}

// Glass rings in slow eighths high above; the chip flashes a few sixteenths, then runs up and down the chord.
void arrangeArp(Mix& mix, const BarPlan& plan)
{
    const Recipe& r = *plan.recipe;
    if (r.arp == Arp::none)
        return;
    const Chord& chord = chordOf(plan);
    const int order[6] = {0, 1, 2, 3, 2, 1};
    const bool flashSteps[16] = {1, 0, 0, 1, 0, 0, 1, 0, 0, 0, 1, 0, 0, 1, 0, 0};
    for (int step = 0; step < openSteps(plan); ++step) {
        int note = chord.notes[order[(plan.bar * 16 + step) % 6]] + 12;
        float pan = (step % 4 < 2) ? -0.5f : 0.5f;
        if (r.arp == Arp::glass && step % 2 == 0)
            addChip(mix, stepSample(plan.bar, step, true), note + 12, 0.09f, pan, 0.7f);
        if (r.arp == Arp::chip && (playing(plan, r.rollFrom) || flashSteps[step]))
            addChip(mix, stepSample(plan.bar, step, true), note, 0.22f, pan, 0.2f);
    }
}

void arrangeTune(Mix& mix, const BarPlan& plan)
{
    const Recipe& r = *plan.recipe;
    int into = plan.inSection - r.tuneFrom;
    if (r.tune == Tune::none || into < 0 || into % 4 != 0)
        return;
    bool answer = r.tune == Tune::answer || (into / 4) % 2 == 1;
    const Phrase& phrase = r.tune == Tune::lift ? liftTheme : (answer ? verseAnswer : verseTheme);
    int transpose = r.tune == Tune::low ? -12 : 0;
    float gain = r.tune == Tune::low ? 0.24f : 0.31f;
    // A phrase that outlasts its section stops where the section falls silent.
    for (int i = 0; i < phrase.count; ++i) {
        const MelodyNote& n = phrase.notes[i];
        int length = std::min(n.length, plan.stepsToSilence - n.step);
        if (length <= 0)
            continue;
        addLead(mix, stepSample(plan.bar, n.step, true), stepsLength(length) - 600, n.note + transpose, gain);
    }
}

// The tubes flicker into life on thirty-seconds of the next section's first chord, growing louder.
void arrangeStutter(Mix& mix, const BarPlan& plan)
{
    const Chord& chord = plan.next->liftHarmony ? liftChords[0] : verseChords[0];
    const bool lit[16] = {1, 0, 1, 1, 0, 1, 0, 1, 1, 1, 0, 1, 1, 1, 1, 1};
    int first = openSteps(plan) * 2;
    for (int i = first; i < 32; ++i) {
        if (!lit[(i - first) % 16])
            continue;
        float grow = 0.3f + 0.45f * (float)(i - first) / (float)(32 - first);
        long start = stepSample(plan.bar, i * 0.5, false);
        float pan = (i % 2) ? 0.5f : -0.5f;
        addStab(mix, start, chord.notes + 1, 3, grow, pan);
        addChip(mix, start, chord.notes[i % 4] + 24, 0.25f * grow, -pan, 0.0f);
    }
}

void arrangePickup(Mix& mix, const BarPlan& plan)
{
    if (plan.pickup == Pickup::thunder)
        addHit(mix, stepSample(plan.bar, openSteps(plan), false), Hit::thunder, (uint32_t)plan.bar * 7727u);
    if (plan.pickup == Pickup::stutter)
        arrangeStutter(mix, plan);
}
}

void arrangeBar(Mix& mix, const BarPlan& plan)
{
    arrangeDrums(mix, plan);
    arrangeBass(mix, plan);
    arrangeHarmony(mix, plan);
    arrangeArp(mix, plan);
    arrangeTune(mix, plan);
    arrangePickup(mix, plan);
    int riserBars = plan.recipe->riserBars;
    if (riserBars > 0 && plan.sectionBars - plan.inSection == riserBars)
        addRiser(mix, stepSample(plan.bar, 0, false), stepsLength(riserBars * 16), 0.35f);
}

void arrangeFinalChord(Mix& mix, int bar, long ringOut)
{
    const long start = stepSample(bar, 0, false);
    addKick(mix, start, 1.0f);
    addHit(mix, start, Hit::crash, 0xc0dau);
    addBass(mix, start, ringOut / 2, finalChord.bass, 0.55f, 0.5f);
    addPad(mix, start, ringOut * 5 / 8, finalChord.notes, 4, 0.7f, 0.7f);
    addStab(mix, start, finalChord.notes + 1, 3, 0.4f, 0.0f);
    addLead(mix, start, ringOut / 2, 81, 0.3f);
}
