// tools/soundtrack/parts.h
// What a section plays, and the parts that play it bar by bar: drums, bass, harmony, arpeggio and tune.
#pragma once

#include "voices.h"

constexpr int never = 1000;

enum class Tune { none, verse, answer, low, lift };
enum class Arp { none, glass, chip };
enum class Hit { none, crash, thunder };
// What the beats before a turn carry once the section before it has fallen silent, the kick aside.
enum class Pickup { none, dropOut, thunder, stutter };

// Counts in bars are bars into the section; a part that never plays has never.
struct Recipe {
    float kick = 1.0f;
    int hatsFrom = never;
    bool openHats = false;
    int ghostsFrom = never;
    int bassFrom = never;
    int rollFrom = never;  // off-beat bass turns to rolling sixteenths, the chip's flashes to a run
    float bassBrightness = 0.5f;
    float padGain = 0.55f;
    float padBrightnessFirst = 0.6f;  // the pad opens or closes across the section
    float padBrightnessLast = 0.6f;
    int stabsFrom = never;
    Arp arp = Arp::none;
    Tune tune = Tune::none;
    int tuneFrom = 0;
    bool liftHarmony = false;
    Hit hit = Hit::none;
    bool hitEveryBar = false;
    int riserBars = 0;  // a riser over the last bars, into the next turn
};

struct BarPlan {
    int bar;
    int inSection;
    int sectionBars;
    int stepsToSilence;  // sixteenths from this bar line to where the section stops for the next turn's pickup
    const Recipe* recipe;
    const Recipe* next;
    Pickup pickup;  // in this bar's last beats, when the next turn is announced here
};

void arrangeBar(Mix& mix, const BarPlan& plan);
// One hit on the bar line that lets the drums, bass, chord and tune ring out together.
void arrangeFinalChord(Mix& mix, int bar, long ringOut);
