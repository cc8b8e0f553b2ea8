#pragma once

#include <vector>

#include "score.h"

namespace lumenvale::music {

enum class Mode { kMajor, kHarmonicMinor };

// A key places scale degrees: degree 0 is the tonic pitch, 7 the tonic an octave up.
struct Key {
    int tonic;  // MIDI key number of degree 0
    Mode mode;
};

int DegreePitch(const Key& key, int degree);

struct MotifNote {
    int degree;
    double beats;
};

// Melodic material written in scale degrees, so that one line can be heard in any key and mode.
using Motif = std::vector<MotifNote>;

// The main theme: eight bars of 3/4 that rise through the tonic chord and come home.
const Motif& MainTheme();
// Its four-bar answer, which climbs higher and settles on the dominant.
const Motif& ThemeAnswer();
// The rising figure of the firefly: the tonic chord in quick triplets over two octaves.
const Motif& FireflyRise();

// The notes of a motif that start within [from_beat, to_beat), counted from the motif's start.
Motif MotifExcerpt(const Motif& motif, double fromBeat, double toBeat);

// Writes a motif into a part and returns the beat after its last note. Higher notes are played a
// little louder so that each phrase swells toward its peak.
double PlayMotif(Part& part, const Motif& motif, const Key& key, double startBeat, int velocity);

}  // namespace lumenvale::music
