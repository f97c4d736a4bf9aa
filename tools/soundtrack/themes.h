// tools/soundtrack/themes.h
// The harmony and the tunes the sections draw on, in A minor.
#pragma once

struct Chord {
    int bass;
    int notes[4];
};

struct MelodyNote {
    int step;  // sixteenth within the four-bar phrase
    int length;
    int note;
};

struct Phrase {
    const MelodyNote* notes;
    int count;
};

// Am F C G.
extern const Chord verseChords[4];
// Dm Am F E, which leans back into A minor.
extern const Chord liftChords[4];
extern const Chord finalChord;

extern const Phrase verseTheme;
// The answer climbs to the tonic instead of hanging on the fifth.
extern const Phrase verseAnswer;
extern const Phrase liftTheme;
