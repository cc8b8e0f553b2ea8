#include "film_sections.h"
#include "orchestra.h"
#include "pitch.h"

namespace lumenvale::music {

Progression ThemeHarmonyMajor() {
    return {
        ChordOf("D2", {"F#3", "A3", "D4"}),        // I
        ChordOf("B1", {"F#3", "B3", "D4"}),        // vi
        ChordOf("G1", {"G3", "B3", "D4"}),         // IV
        ChordOf("A1", {"E3", "A3", "C#4"}),        // V
        ChordOf("D2", {"F#3", "A3", "D4"}),        // I
        ChordOf("E2", {"G3", "B3", "E4"}),         // ii
        ChordOf("A1", {"G3", "A3", "C#4", "E4"}),  // V7
        ChordOf("D2", {"F#3", "A3", "D4"}),        // I
    };
}

// 0-10 s: the sky is still dark. A hushed string chord on B minor drifts to the dominant; the
// celesta hints at the theme's opening before anyone plays it.
void WriteNightOpening(Score& score) {
    const Progression night{
        ChordOf("B1", {"F#3", "B3", "C#4", "D4"}),  // Bm(add9)
        ChordOf("G1", {"F#3", "B3", "D4", "G4"}),   // Gmaj7
        ChordOf("F#1", {"F#3", "A3", "D4", "A4"}),  // D/F#
        ChordOf("A1", {"E3", "A3", "C#4", "A4"}),   // A
    };
    SustainUpper(PartFor(score, Instrument::kStringPad), night, BarsFrom(0), 56);
    SustainBass(PartFor(score, Instrument::kBasses), night, BarsFrom(0), 48, 0);
    SustainUpper(PartFor(score, Instrument::kChoir), {night[2], night[3]}, BarsFrom(2), 44);
    for (std::size_t i = 0; i < night.size(); ++i) {
        const Chord& c = night[i];
        std::vector<int> notes{c.bass + 12};
        notes.insert(notes.end(), c.upper.begin(), c.upper.end());
        Roll(PartFor(score, Instrument::kHarp), notes, Bar(static_cast<double>(i)) + 0.5, 2.5, 0.2,
             48);
    }
    PlayMotif(PartFor(score, Instrument::kCelesta), MotifExcerpt(MainTheme(), 0.0, 4.0),
              kDMajorHigh, Bar(2), 80);
}

// 10-40 s: the sun rises. The flute sings the theme over harp arpeggios; the violins and oboe
// answer while the bass walks down and the timpani rolls into noon.
void WriteSunrise(Score& score) {
    const Progression themeHarmony = ThemeHarmonyMajor();
    SustainUpper(PartFor(score, Instrument::kStringPad), themeHarmony, BarsFrom(4), 50);
    SustainBass(PartFor(score, Instrument::kCellos), themeHarmony, BarsFrom(4), 44, 1);
    Arpeggiate(PartFor(score, Instrument::kHarp), themeHarmony, BarsFrom(4), 0.5, 46);
    PlayMotif(PartFor(score, Instrument::kFlute), MainTheme(), kDMajorHigh, Bar(4), 76);

    const Progression build{
        ChordOf("G2", {"G3", "B3", "D4"}),          // IV
        ChordOf("E2", {"G3", "B3", "E4"}),          // ii
        ChordOf("D2", {"G3", "B3", "E4"}),          // ii7 over the falling bass
        ChordOf("C#2", {"G3", "A3", "C#4", "E4"}),  // V7 in first inversion, leading home
    };
    SustainUpper(PartFor(score, Instrument::kStringPad), build, BarsFrom(12), 60);
    SustainUpper(PartFor(score, Instrument::kHorns), build, BarsFrom(12), 56);
    SustainBass(PartFor(score, Instrument::kCellos), build, BarsFrom(12), 52, 1);
    SustainBass(PartFor(score, Instrument::kBasses), build, BarsFrom(12), 56, 0);
    Arpeggiate(PartFor(score, Instrument::kHarp), build, BarsFrom(12), 0.5, 56);
    PlayMotif(PartFor(score, Instrument::kViolins), ThemeAnswer(), kDMajorHigh, Bar(12), 80);
    PlayMotif(PartFor(score, Instrument::kOboe), ThemeAnswer(), kDMajor, Bar(12), 64);
    DrumRoll(PartFor(score, Instrument::kTimpani), MidiPitch("A2"), Bar(15), kBeatsPerBar, 30, 88);
}

// 40-60 s: noon. The whole orchestra: horns carry the theme, violins and flute an octave above,
// the glockenspiel glitters two octaves up, piano chords and harp arpeggios fill every bar.
void WriteNoon(Score& score) {
    const Progression themeHarmony = ThemeHarmonyMajor();
    PlayMotif(PartFor(score, Instrument::kHorns), MainTheme(), kDMajor, Bar(16), 90);
    PlayMotif(PartFor(score, Instrument::kViolins), MainTheme(), kDMajorHigh, Bar(16), 94);
    PlayMotif(PartFor(score, Instrument::kFlute), MainTheme(), kDMajorHigh, Bar(16), 78);

    SustainUpper(PartFor(score, Instrument::kStringPad), themeHarmony, BarsFrom(16), 78);
    SustainBass(PartFor(score, Instrument::kCellos), themeHarmony, BarsFrom(16), 66, 1);
    SustainBass(PartFor(score, Instrument::kBasses), themeHarmony, BarsFrom(16), 66, 0);
    Progression highHarmony = themeHarmony;
    for (Chord& c : highHarmony) {
        for (int& pitch : c.upper) pitch += 12;
    }
    Arpeggiate(PartFor(score, Instrument::kHarp), highHarmony, BarsFrom(16), 0.5, 70);
    for (std::size_t i = 0; i < themeHarmony.size(); ++i) {
        std::vector<int> highChord;
        for (int pitch : themeHarmony[i].upper) highChord.push_back(pitch + 24);
        Roll(PartFor(score, Instrument::kPiano), highChord, Bar(16.0 + static_cast<double>(i)),
             kBeatsPerBar, 0.04, 70);
    }
    Part& timpani = PartFor(score, Instrument::kTimpani);
    timpani.notes.push_back(Note{Bar(16), 2.0, MidiPitch("D2"), 96});
    timpani.notes.push_back(Note{Bar(20), 2.0, MidiPitch("D2"), 84});
    PlayMotif(PartFor(score, Instrument::kGlockenspiel), MainTheme(), Key{kD5 + 12, Mode::kMajor},
              Bar(16), 70);
}

// 60-70 s: sunset. The theme's second half moves to G major in the cellos, under a high string
// chord and warm horns, and fades as the sun touches the sea.
void WriteSunset(Score& score) {
    const Progression strings{
        ChordOf("G1", {"B4", "D5", "G5"}),   // I
        ChordOf("A1", {"C5", "E5", "G5"}),   // ii7
        ChordOf("D2", {"C5", "D5", "F#5"}),  // V7
        ChordOf("G1", {"B4", "D5", "F#5"}),  // Imaj7
    };
    const Progression horns{
        ChordOf("G1", {"D3", "G3", "B3"}),
        ChordOf("A1", {"E3", "G3", "C4"}),
        ChordOf("D2", {"F#3", "A3", "C4"}),
        ChordOf("G1", {"D3", "F#3", "B3"}),
    };
    PlayMotif(PartFor(score, Instrument::kCellos), MotifExcerpt(MainTheme(), 12.0, 24.0),
              kGMajorLow, Bar(24), 94);
    SustainUpper(PartFor(score, Instrument::kStringPad), strings, BarsFrom(24), 58);
    SustainUpper(PartFor(score, Instrument::kHorns), horns, BarsFrom(24), 50);
    SustainBass(PartFor(score, Instrument::kBasses), horns, BarsFrom(24), 54, 0);
    Arpeggiate(PartFor(score, Instrument::kHarp), horns, BarsFrom(24), 1.0, 52);
}

}  // namespace lumenvale::music
