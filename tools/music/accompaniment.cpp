#include "accompaniment.h"

#include <algorithm>

#include "pitch.h"

namespace lumenvale::music {

namespace {

// Holds each chord's voices for the chord's length, extending a note already sounding at the same
// pitch rather than striking it again.
void sustain(Part& part, const std::vector<std::vector<int>>& voicings, const Span& span,
             int velocity) {
    std::vector<std::size_t> sounding;  // indices into part.notes of the previous chord's notes
    for (std::size_t i = 0; i < voicings.size(); ++i) {
        const double start = span.first_beat + static_cast<double>(i) * span.beats_per_chord;
        std::vector<std::size_t> now_sounding;
        for (int pitch : voicings[i]) {
            const auto tied = std::find_if(sounding.begin(), sounding.end(), [&](std::size_t n) {
                return part.notes[n].pitch == pitch;
            });
            if (tied != sounding.end()) {
                part.notes[*tied].length_beats += span.beats_per_chord;
                now_sounding.push_back(*tied);
            } else {
                part.notes.push_back(Note{start, span.beats_per_chord, pitch, velocity});
                now_sounding.push_back(part.notes.size() - 1);
            }
        }
        sounding = std::move(now_sounding);
    }
}

}  // namespace

Chord chord(std::string_view bass, std::initializer_list<std::string_view> upper) {
    Chord result{midi_pitch(bass), {}};
    for (std::string_view name : upper) result.upper.push_back(midi_pitch(name));
    return result;
}

void sustain_upper(Part& part, const Progression& progression, const Span& span, int velocity) {
    std::vector<std::vector<int>> voicings;
    for (const Chord& c : progression) voicings.push_back(c.upper);
    sustain(part, voicings, span, velocity);
}

void sustain_bass(Part& part, const Progression& progression, const Span& span, int velocity,
                  int octave_shift) {
    std::vector<std::vector<int>> voicings;
    for (const Chord& c : progression) voicings.push_back({c.bass + 12 * octave_shift});
    sustain(part, voicings, span, velocity);
}

void arpeggiate(Part& part, const Progression& progression, const Span& span, double step_beats,
                int velocity) {
    const int steps = static_cast<int>(span.beats_per_chord / step_beats + 0.5);
    for (std::size_t i = 0; i < progression.size(); ++i) {
        const Chord& c = progression[i];
        // Up from the bass an octave higher, then back down without repeating the top note.
        std::vector<int> cycle{c.bass + 12};
        cycle.insert(cycle.end(), c.upper.begin(), c.upper.end());
        for (std::size_t k = c.upper.size(); k-- > 1;) cycle.push_back(c.upper[k - 1]);
        const double chord_start = span.first_beat + static_cast<double>(i) * span.beats_per_chord;
        for (int step = 0; step < steps; ++step) {
            const double start = chord_start + step * step_beats;
            const int accent = step == 0 ? 8 : 0;
            part.notes.push_back(Note{start, chord_start + span.beats_per_chord - start,
                                      cycle[static_cast<std::size_t>(step) % cycle.size()],
                                      std::min(127, velocity + accent)});
        }
    }
}

void pulse(Part& part, const Progression& progression, const Span& span, int velocity,
           int octave_shift) {
    constexpr double kEighth = 0.5;
    const int steps = static_cast<int>(span.beats_per_chord / kEighth + 0.5);
    for (std::size_t i = 0; i < progression.size(); ++i) {
        const double chord_start = span.first_beat + static_cast<double>(i) * span.beats_per_chord;
        for (int step = 0; step < steps; ++step) {
            const int pitch = progression[i].bass + 12 * octave_shift + (step % 2 == 0 ? 0 : 12);
            const int accent = step == 0 ? 14 : 0;
            part.notes.push_back(Note{chord_start + step * kEighth, kEighth * 0.9, pitch,
                                      std::min(127, velocity + accent)});
        }
    }
}

void roll(Part& part, const std::vector<int>& pitches, double start_beat, double length_beats,
          double spread_beats, int velocity) {
    for (std::size_t i = 0; i < pitches.size(); ++i) {
        const double offset = spread_beats * static_cast<double>(i);
        part.notes.push_back(
            Note{start_beat + offset, length_beats - offset, pitches[i], velocity});
    }
}

void drum_roll(Part& part, int pitch, double start_beat, double length_beats, int from_velocity,
               int to_velocity) {
    constexpr double kStroke = 1.0 / 6.0;
    const int strokes = static_cast<int>(length_beats / kStroke + 0.5);
    for (int i = 0; i < strokes; ++i) {
        const double t = strokes > 1 ? static_cast<double>(i) / (strokes - 1) : 1.0;
        const int velocity =
            static_cast<int>(from_velocity + t * (to_velocity - from_velocity) + 0.5);
        part.notes.push_back(Note{start_beat + i * kStroke, kStroke, pitch, velocity});
    }
}

}  // namespace lumenvale::music
