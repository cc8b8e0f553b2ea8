#include "film_sections.h"
#include "orchestra.h"
#include "pitch.h"

namespace lumenvale::music {

Progression theme_harmony_major() {
    return {
        chord("D2", {"F#3", "A3", "D4"}),        // I
        chord("B1", {"F#3", "B3", "D4"}),        // vi
        chord("G1", {"G3", "B3", "D4"}),         // IV
        chord("A1", {"E3", "A3", "C#4"}),        // V
        chord("D2", {"F#3", "A3", "D4"}),        // I
        chord("E2", {"G3", "B3", "E4"}),         // ii
        chord("A1", {"G3", "A3", "C#4", "E4"}),  // V7
        chord("D2", {"F#3", "A3", "D4"}),        // I
    };
}

// 0-10 s: the sky is still dark. A hushed string chord on B minor drifts to the dominant; the
// celesta hints at the theme's opening before anyone plays it.
void write_night_opening(Score& score) {
    const Progression night{
        chord("B1", {"F#3", "B3", "C#4", "D4"}),  // Bm(add9)
        chord("G1", {"F#3", "B3", "D4", "G4"}),   // Gmaj7
        chord("F#1", {"F#3", "A3", "D4", "A4"}),  // D/F#
        chord("A1", {"E3", "A3", "C#4", "A4"}),   // A
    };
    sustain_upper(part(score, Instrument::kStringPad), night, bars_from(0), 56);
    sustain_bass(part(score, Instrument::kBasses), night, bars_from(0), 48, 0);
    sustain_upper(part(score, Instrument::kChoir), {night[2], night[3]}, bars_from(2), 44);
    for (std::size_t i = 0; i < night.size(); ++i) {
        const Chord& c = night[i];
        std::vector<int> notes{c.bass + 12};
        notes.insert(notes.end(), c.upper.begin(), c.upper.end());
        roll(part(score, Instrument::kHarp), notes, bar(static_cast<double>(i)) + 0.5, 2.5, 0.2,
             48);
    }
    play_motif(part(score, Instrument::kCelesta), motif_excerpt(main_theme(), 0.0, 4.0),
               kDMajorHigh, bar(2), 80);
}

// 10-40 s: the sun rises. The flute sings the theme over harp arpeggios; the violins and oboe
// answer while the bass walks down and the timpani rolls into noon.
void write_sunrise(Score& score) {
    const Progression theme_harmony = theme_harmony_major();
    sustain_upper(part(score, Instrument::kStringPad), theme_harmony, bars_from(4), 50);
    sustain_bass(part(score, Instrument::kCellos), theme_harmony, bars_from(4), 44, 1);
    arpeggiate(part(score, Instrument::kHarp), theme_harmony, bars_from(4), 0.5, 46);
    play_motif(part(score, Instrument::kFlute), main_theme(), kDMajorHigh, bar(4), 76);

    const Progression build{
        chord("G2", {"G3", "B3", "D4"}),          // IV
        chord("E2", {"G3", "B3", "E4"}),          // ii
        chord("D2", {"G3", "B3", "E4"}),          // ii7 over the falling bass
        chord("C#2", {"G3", "A3", "C#4", "E4"}),  // V7 in first inversion, leading home
    };
    sustain_upper(part(score, Instrument::kStringPad), build, bars_from(12), 60);
    sustain_upper(part(score, Instrument::kHorns), build, bars_from(12), 56);
    sustain_bass(part(score, Instrument::kCellos), build, bars_from(12), 52, 1);
    sustain_bass(part(score, Instrument::kBasses), build, bars_from(12), 56, 0);
    arpeggiate(part(score, Instrument::kHarp), build, bars_from(12), 0.5, 56);
    play_motif(part(score, Instrument::kViolins), theme_answer(), kDMajorHigh, bar(12), 80);
    play_motif(part(score, Instrument::kOboe), theme_answer(), kDMajor, bar(12), 64);
    drum_roll(part(score, Instrument::kTimpani), midi_pitch("A2"), bar(15), kBeatsPerBar, 30, 88);
}

// 40-60 s: noon. The whole orchestra: horns carry the theme, violins and flute an octave above,
// the glockenspiel glitters two octaves up, piano chords and harp arpeggios fill every bar.
void write_noon(Score& score) {
    const Progression theme_harmony = theme_harmony_major();
    play_motif(part(score, Instrument::kHorns), main_theme(), kDMajor, bar(16), 90);
    play_motif(part(score, Instrument::kViolins), main_theme(), kDMajorHigh, bar(16), 94);
    play_motif(part(score, Instrument::kFlute), main_theme(), kDMajorHigh, bar(16), 78);

    sustain_upper(part(score, Instrument::kStringPad), theme_harmony, bars_from(16), 78);
    sustain_bass(part(score, Instrument::kCellos), theme_harmony, bars_from(16), 66, 1);
    sustain_bass(part(score, Instrument::kBasses), theme_harmony, bars_from(16), 66, 0);
    Progression high_harmony = theme_harmony;
    for (Chord& c : high_harmony) {
        for (int& pitch : c.upper) pitch += 12;
    }
    arpeggiate(part(score, Instrument::kHarp), high_harmony, bars_from(16), 0.5, 70);
    for (std::size_t i = 0; i < theme_harmony.size(); ++i) {
        std::vector<int> high_chord;
        for (int pitch : theme_harmony[i].upper) high_chord.push_back(pitch + 24);
        roll(part(score, Instrument::kPiano), high_chord, bar(16.0 + static_cast<double>(i)),
             kBeatsPerBar, 0.04, 70);
    }
    Part& timpani = part(score, Instrument::kTimpani);
    timpani.notes.push_back(Note{bar(16), 2.0, midi_pitch("D2"), 96});
    timpani.notes.push_back(Note{bar(20), 2.0, midi_pitch("D2"), 84});
    play_motif(part(score, Instrument::kGlockenspiel), main_theme(), Key{kD5 + 12, Mode::kMajor},
               bar(16), 70);
}

// 60-70 s: sunset. The theme's second half moves to G major in the cellos, under a high string
// chord and warm horns, and fades as the sun touches the sea.
void write_sunset(Score& score) {
    const Progression strings{
        chord("G1", {"B4", "D5", "G5"}),   // I
        chord("A1", {"C5", "E5", "G5"}),   // ii7
        chord("D2", {"C5", "D5", "F#5"}),  // V7
        chord("G1", {"B4", "D5", "F#5"}),  // Imaj7
    };
    const Progression horns{
        chord("G1", {"D3", "G3", "B3"}),
        chord("A1", {"E3", "G3", "C4"}),
        chord("D2", {"F#3", "A3", "C4"}),
        chord("G1", {"D3", "F#3", "B3"}),
    };
    play_motif(part(score, Instrument::kCellos), motif_excerpt(main_theme(), 12.0, 24.0),
               kGMajorLow, bar(24), 94);
    sustain_upper(part(score, Instrument::kStringPad), strings, bars_from(24), 58);
    sustain_upper(part(score, Instrument::kHorns), horns, bars_from(24), 50);
    sustain_bass(part(score, Instrument::kBasses), horns, bars_from(24), 54, 0);
    arpeggiate(part(score, Instrument::kHarp), horns, bars_from(24), 1.0, 52);
}

}  // namespace lumenvale::music
