// tools/soundtrack/arrangement.cpp
// Which section plays on each bar: the sections turn where the show's scenes change.
#include "arrangement.h"

#include "parts.h"

namespace {
constexpr Recipe intro = {.kick = 0.85f, .padBrightnessFirst = 0.08f, .padBrightnessLast = 0.5f};
// The box measures its ray budget in the dark: a dim pad over off-beat bass and ticking hats.
constexpr Recipe dark = {.hatsFrom = 0, .ghostsFrom = 0, .bassFrom = 0, .bassBrightness = 0.3f, .padGain = 0.45f,
                         .padBrightnessFirst = 0.25f, .padBrightnessLast = 0.4f, .stabsFrom = 8};
// A break under the stained glass: the kick steps back, the pad opens, the tune sings low through glass.
constexpr Recipe nave = {.kick = 0.8f, .padGain = 0.8f, .padBrightnessFirst = 0.9f, .padBrightnessLast = 0.9f,
                         .arp = Arp::glass, .tune = Tune::low, .hit = Hit::crash};
// The shutters roll up as the pad opens and the riser climbs into the drop.
constexpr Recipe shutters = {.hatsFrom = 0, .ghostsFrom = 8, .bassFrom = 2, .bassBrightness = 0.35f,
                             .padBrightnessFirst = 0.2f, .padBrightnessLast = 0.9f, .stabsFrom = 5, .riserBars = 4};
// The layouts jump on the beat: the whole groove with the tune.
constexpr Recipe drop = {.hatsFrom = 0, .openHats = true, .ghostsFrom = 0, .bassFrom = 0, .rollFrom = 0,
                         .bassBrightness = 0.6f, .stabsFrom = 0, .tune = Tune::verse, .hit = Hit::crash};
// Dark harmony, and thunder on every bar line.
constexpr Recipe storm = {.hatsFrom = 0, .openHats = true, .ghostsFrom = 0, .bassFrom = 0, .rollFrom = 0,
                          .bassBrightness = 0.9f, .padGain = 0.5f, .padBrightnessFirst = 0.45f,
                          .padBrightnessLast = 0.45f, .stabsFrom = 0, .tune = Tune::lift, .liftHarmony = true,
                          .hit = Hit::thunder, .hitEveryBar = true};
// Drums and bass fall away into the fog; the tune returns low, then a riser lifts out of it.
constexpr Recipe fog = {.kick = 0.8f, .padGain = 0.65f, .padBrightnessFirst = 0.35f, .padBrightnessLast = 0.95f,
                        .tune = Tune::low, .tuneFrom = 3, .riserBars = 4};
// The ball flashes patch by patch to chip blips, then bounces to a running arpeggio and rolling bass.
constexpr Recipe chip = {.hatsFrom = 0, .ghostsFrom = 8, .bassFrom = 0, .rollFrom = 8, .padGain = 0.4f,
                         .padBrightnessFirst = 0.5f, .stabsFrom = 8, .arp = Arp::chip, .hit = Hit::crash};
// The name's tubes burn: the lifted harmony and its tune over the whole groove.
constexpr Recipe neon = {.hatsFrom = 0, .openHats = true, .ghostsFrom = 0, .bassFrom = 0, .rollFrom = 0,
                         .bassBrightness = 0.8f, .padBrightnessLast = 0.7f, .stabsFrom = 0, .tune = Tune::lift,
                         .liftHarmony = true, .hit = Hit::crash, .riserBars = 4};
// The emblem's finale: everything at once, the chip running over the theme.
constexpr Recipe emblem = {.hatsFrom = 0, .openHats = true, .ghostsFrom = 0, .bassFrom = 0, .rollFrom = 0,
                           .bassBrightness = 0.85f, .padGain = 0.6f, .padBrightnessFirst = 0.7f,
                           .padBrightnessLast = 0.7f, .stabsFrom = 0, .arp = Arp::chip, .tune = Tune::verse,
                           .hit = Hit::crash};
// The camera pulls far away: only the kick, a closing pad and the answer that resolves on the final chord.
constexpr Recipe zoom = {.kick = 0.8f, .padGain = 0.5f, .padBrightnessFirst = 0.7f, .padBrightnessLast = 0.2f,
                         .tune = Tune::answer};

struct Turn {
    int bar;
    int pickupBeats;
    Pickup pickup;
    const Recipe* recipe;  // none: the final chord
};

// Each scene switch on the 60 fps step beside the bar its section turns on (bar b starts at b * 1.875 s). Where
// that bar line lies over a beat from the switch, the section before falls silent but for the kick from the beat
// nearest the switch, and a pickup carries the turn to the bar line.
constexpr Turn turns[] = {
    {0, 0, Pickup::none, &intro},          // intro captions, 0 s
    {14, 0, Pickup::none, &dark},          // Cornell box, 26.20 s: bar 14 at 26.25 s
    {30, 0, Pickup::none, &nave},          // cathedral, 56.33 s: bar 30 at 56.25 s
    {35, 0, Pickup::none, &shutters},      // shutters, 65.38 s: bar 35 at 65.63 s
    {48, 1, Pickup::dropOut, &drop},       // metaballs, 89.48 s: bar 48 at 90.00 s, kick alone from 89.53 s
    {63, 1, Pickup::thunder, &storm},      // cloud and lightning, 117.55 s: bar 63 at 118.13 s, a strike at 117.66 s
    {71, 0, Pickup::none, &fog},           // fog, 133.60 s: bar 71 at 133.13 s, a beat ahead of the picture
    {82, 0, Pickup::none, &chip},          // Amiga ball, 153.62 s: bar 82 at 153.75 s
    {97, 2, Pickup::stutter, &neon},       // group name, 181.02 s: bar 97 at 181.88 s, the stutter from 180.94 s
    {107, 1, Pickup::dropOut, &emblem},    // gear logo, 200.12 s: bar 107 at 200.63 s, kick alone from 200.16 s
    {123, 0, Pickup::none, &zoom},         // the logo's zoom out, 230.17 s: bar 123 at 230.63 s
    {127, 0, Pickup::none, nullptr},       // close, 238.17 s: the final chord on bar 127 at 238.13 s
};
constexpr int turnCount = sizeof(turns) / sizeof(turns[0]);
constexpr int finalBar = turns[turnCount - 1].bar;
// Past the close at 60 fps, and into silence where a coarse step turns the logo once more.
const long ringOut = 4 * sampleRate;
}

long pieceFrames()
{
    return beatSample(finalBar * 4) + ringOut;
}

long fadeOutStart()
{
    return pieceFrames() - sampleRate;
}

void arrangePiece(Mix& mix)
{
    for (int t = 0; t + 1 < turnCount; ++t) {
        const Turn& turn = turns[t];
        const Turn& next = turns[t + 1];
        for (int bar = turn.bar; bar < next.bar; ++bar) {
            BarPlan plan = {bar, bar - turn.bar, next.bar - turn.bar, (next.bar - bar) * 16 - next.pickupBeats * 4,
                            turn.recipe, next.recipe, bar + 1 == next.bar ? next.pickup : Pickup::none};
            arrangeBar(mix, plan);
        }
    }
    arrangeFinalChord(mix, finalBar, ringOut);
}
