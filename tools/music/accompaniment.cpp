#include "accompaniment.h"

#include <algorithm>

#include "pitch.h"

namespace lumenvale::music {

namespace {

// Holds each chord's voices for the chord's length, extending a note already sounding at the same
// pitch rather than striking it again.
void Sustain(Part& part, const std::vector<std::vector<int>>& voicings, const Span& span,
             int velocity) {
    std::vector<std::size_t> sounding;  // indices into part.notes of the previous chord's notes
    for (std::size_t i = 0; i < voicings.size(); ++i) {
        const double start = span.firstBeat + static_cast<double>(i) * span.beatsPerChord;
        std::vector<std::size_t> nowSounding;
        for (int pitch : voicings[i]) {
            const auto tied = std::find_if(sounding.begin(), sounding.end(), [&](std::size_t n) {
                return part.notes[n].pitch == pitch;
            });
            if (tied != sounding.end()) {
                part.notes[*tied].lengthBeats += span.beatsPerChord;
                nowSounding.push_back(*tied);
            } else {
                part.notes.push_back(Note{start, span.beatsPerChord, pitch, velocity});
                nowSounding.push_back(part.notes.size() - 1);
            }
        }
        sounding = std::move(nowSounding);
    }
}

}  // namespace

Chord ChordOf(std::string_view bass, std::initializer_list<std::string_view> upper) {
    Chord result{MidiPitch(bass), {}};
    for (std::string_view name : upper) result.upper.push_back(MidiPitch(name));
    return result;
}

void SustainUpper(Part& part, const Progression& progression, const Span& span, int velocity) {
    std::vector<std::vector<int>> voicings;
    for (const Chord& c : progression) voicings.push_back(c.upper);
    Sustain(part, voicings, span, velocity);
}

void SustainBass(Part& part, const Progression& progression, const Span& span, int velocity,
                 int octaveShift) {
    std::vector<std::vector<int>> voicings;
    for (const Chord& c : progression) voicings.push_back({c.bass + 12 * octaveShift});
    Sustain(part, voicings, span, velocity);
}

void Arpeggiate(Part& part, const Progression& progression, const Span& span, double stepBeats,
                int velocity) {
    const int steps = static_cast<int>(span.beatsPerChord / stepBeats + 0.5);
    for (std::size_t i = 0; i < progression.size(); ++i) {
        const Chord& c = progression[i];
        // Up from the bass an octave higher, then back down without repeating the top note.
        std::vector<int> cycle{c.bass + 12};
        cycle.insert(cycle.end(), c.upper.begin(), c.upper.end());
        for (std::size_t k = c.upper.size(); k-- > 1;) cycle.push_back(c.upper[k - 1]);
        const double chordStart = span.firstBeat + static_cast<double>(i) * span.beatsPerChord;
        for (int step = 0; step < steps; ++step) {
            const double start = chordStart + step * stepBeats;
            const int accent = step == 0 ? 8 : 0;
            part.notes.push_back(Note{start, chordStart + span.beatsPerChord - start,
                                      cycle[static_cast<std::size_t>(step) % cycle.size()],
                                      std::min(127, velocity + accent)});
        }
    }
}

void Pulse(Part& part, const Progression& progression, const Span& span, int velocity,
           int octaveShift) {
    constexpr double kEighth = 0.5;
    const int steps = static_cast<int>(span.beatsPerChord / kEighth + 0.5);
    for (std::size_t i = 0; i < progression.size(); ++i) {
        const double chordStart = span.firstBeat + static_cast<double>(i) * span.beatsPerChord;
        for (int step = 0; step < steps; ++step) {
            const int pitch = progression[i].bass + 12 * octaveShift + (step % 2 == 0 ? 0 : 12);
            const int accent = step == 0 ? 14 : 0;
            part.notes.push_back(Note{chordStart + step * kEighth, kEighth * 0.9, pitch,
                                      std::min(127, velocity + accent)});
        }
    }
}

void Roll(Part& part, const std::vector<int>& pitches, double startBeat, double lengthBeats,
          double spreadBeats, int velocity) {
    for (std::size_t i = 0; i < pitches.size(); ++i) {
        const double offset = spreadBeats * static_cast<double>(i);
        part.notes.push_back(Note{startBeat + offset, lengthBeats - offset, pitches[i], velocity});
    }
}

void DrumRoll(Part& part, int pitch, double startBeat, double lengthBeats, int fromVelocity,
              int toVelocity) {
    constexpr double kStroke = 1.0 / 6.0;
    const int strokes = static_cast<int>(lengthBeats / kStroke + 0.5);
    for (int i = 0; i < strokes; ++i) {
        const double t = strokes > 1 ? static_cast<double>(i) / (strokes - 1) : 1.0;
        const int velocity = static_cast<int>(fromVelocity + t * (toVelocity - fromVelocity) + 0.5);
        part.notes.push_back(Note{startBeat + i * kStroke, kStroke, pitch, velocity});
    }
}

}  // namespace lumenvale::music
