#pragma once

#include <initializer_list>
#include <string_view>
#include <vector>

#include "score.h"

namespace lumenvale::music {

// A chord as the orchestra voices it: the bass note and the notes above it, low to high.
struct Chord {
    int bass;
    std::vector<int> upper;
};

Chord ChordOf(std::string_view bass, std::initializer_list<std::string_view> upper);

// The harmony of a passage, one chord per bar.
using Progression = std::vector<Chord>;

// Where and how fast a progression runs.
struct Span {
    double firstBeat;
    double beatsPerChord;
};

// Held upper voices; a note shared by neighbouring chords is tied over instead of re-struck.
void SustainUpper(Part& part, const Progression& progression, const Span& span, int velocity);

// Held bass notes, moved by whole octaves (e.g. -1 for a contrabass an octave down).
void SustainBass(Part& part, const Progression& progression, const Span& span, int velocity,
                 int octaveShift);

// A broken chord that climbs from the bass through the upper voices and falls back, one note per
// step, each note left ringing to the end of its chord.
void Arpeggiate(Part& part, const Progression& progression, const Span& span, double stepBeats,
                int velocity);

// The flight's heartbeat: bass and its octave in alternating eighths, accented on the downbeat,
// moved by whole octaves like sustain_bass.
void Pulse(Part& part, const Progression& progression, const Span& span, int velocity,
           int octaveShift);

// All notes of a chord struck one after another from the bottom, like a harp's roll.
void Roll(Part& part, const std::vector<int>& pitches, double startBeat, double lengthBeats,
          double spreadBeats, int velocity);

// A timpani roll on one pitch that grows from one velocity to another.
void DrumRoll(Part& part, int pitch, double startBeat, double lengthBeats, int fromVelocity,
              int toVelocity);

}  // namespace lumenvale::music
