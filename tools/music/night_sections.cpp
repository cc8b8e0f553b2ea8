#include "film_sections.h"
#include "orchestra.h"
#include "pitch.h"

namespace lumenvale::music {

namespace {

// The main theme's harmony turned to D minor; its seventh bar keeps the flattened sixth of the
// minor theme as the dominant's minor ninth.
Progression ThemeHarmonyMinor() {
    return {
        ChordOf("D2", {"F3", "A3", "D4"}),         // i
        ChordOf("Bb1", {"F3", "Bb3", "D4"}),       // VI
        ChordOf("G1", {"G3", "Bb3", "D4"}),        // iv
        ChordOf("A1", {"E3", "A3", "C#4"}),        // V
        ChordOf("D2", {"F3", "A3", "D4"}),         // i
        ChordOf("E2", {"G3", "Bb3", "D4"}),        // ii half-diminished
        ChordOf("A1", {"G3", "A3", "C#4", "E4"}),  // V7
        ChordOf("D2", {"F3", "A3", "D4"}),         // i
    };
}

}  // namespace

// 70-75 s: the sun is gone and the camera looks down into the water. Only a low, still chord on
// G minor over B flat, turning to the dominant of D minor.
void WriteHush(Score& score) {
    const Progression hush{
        ChordOf("Bb1", {"D3", "G3", "A3", "D4"}),  // Gm(add9)/Bb
        ChordOf("A1", {"D3", "G3", "A3", "E4"}),   // A7sus4
    };
    SustainUpper(PartFor(score, Instrument::kStringPad), hush, BarsFrom(28), 54);
    SustainBass(PartFor(score, Instrument::kBasses), hush, BarsFrom(28), 46, 0);
    SustainUpper(PartFor(score, Instrument::kChoir), hush, BarsFrom(28), 46);
}

// 75-85 s: the firefly lifts off. The celesta climbs the D minor chord over two octaves and the
// glockenspiel catches its top; then the theme's opening, now in minor, answers from above.
void WriteFireflyRise(Score& score) {
    const Progression rise{
        ChordOf("D2", {"D3", "F3", "A3", "E4"}),    // Dm(add9)
        ChordOf("D2", {"D3", "F3", "A3", "D4"}),    // Dm
        ChordOf("Bb1", {"D3", "F3", "A3", "D4"}),   // Bbmaj7
        ChordOf("A1", {"C#3", "E3", "G3", "C#4"}),  // A7
    };
    SustainUpper(PartFor(score, Instrument::kStringPad), rise, BarsFrom(30), 50);
    SustainBass(PartFor(score, Instrument::kBasses), rise, BarsFrom(30), 40, 0);
    SustainUpper(PartFor(score, Instrument::kChoir), rise, BarsFrom(30), 46);

    std::vector<int> harpChord{rise[0].bass};
    harpChord.insert(harpChord.end(), rise[0].upper.begin(), rise[0].upper.end());
    Roll(PartFor(score, Instrument::kHarp), harpChord, Bar(30), 6.0, 0.15, 54);

    const double riseEnd =
        PlayMotif(PartFor(score, Instrument::kCelesta), FireflyRise(), kDMinorHigh, Bar(30), 96);
    PartFor(score, Instrument::kGlockenspiel)
        .notes.push_back(Note{riseEnd - 4.0, 3.0, DegreePitch(kDMinorHigh, 14), 84});
    PlayMotif(PartFor(score, Instrument::kCelesta), MotifExcerpt(MainTheme(), 0.0, 4.0),
              kDMinorHigh, Bar(32), 88);
}

// 85-120 s: the flight. Pizzicato eighths keep a pulse while the clarinet sings the theme in
// D minor, the celesta shadows it, the oboe and flute take the answer and the music grows toward
// the cadence that turns back to D major.
void WriteFlight(Score& score) {
    const Progression themeHarmony = ThemeHarmonyMinor();
    const Progression answerHarmony{
        ChordOf("G1", {"G3", "Bb3", "D4"}),        // iv
        ChordOf("Bb1", {"F3", "A3", "D4"}),        // VImaj7
        ChordOf("E2", {"G3", "Bb3", "D4"}),        // ii half-diminished
        ChordOf("A1", {"G3", "A3", "C#4", "E4"}),  // V7
        ChordOf("Bb1", {"F3", "Bb3", "D4"}),       // VI
        ChordOf("A1", {"G3", "A3", "C#4", "E4"}),  // V7
    };
    Progression wholeFlight = themeHarmony;
    wholeFlight.insert(wholeFlight.end(), answerHarmony.begin(), answerHarmony.end());

    Pulse(PartFor(score, Instrument::kPizzicato), themeHarmony, BarsFrom(34), 64, 1);
    Pulse(PartFor(score, Instrument::kPizzicato), answerHarmony, BarsFrom(42), 74, 1);
    SustainUpper(PartFor(score, Instrument::kStringPad), wholeFlight, BarsFrom(34), 44);
    SustainBass(PartFor(score, Instrument::kBasses), answerHarmony, BarsFrom(42), 48, 0);
    Arpeggiate(PartFor(score, Instrument::kHarp), answerHarmony, BarsFrom(42), 0.5, 48);
    SustainUpper(PartFor(score, Instrument::kHorns),
                 Progression(answerHarmony.begin() + 2, answerHarmony.end()), BarsFrom(44), 52);

    PlayMotif(PartFor(score, Instrument::kClarinet), MainTheme(), kDMinor, Bar(34), 90);
    PlayMotif(PartFor(score, Instrument::kCelesta), MotifExcerpt(MainTheme(), 12.0, 24.0),
              kDMinorHigh, Bar(38), 76);
    PlayMotif(PartFor(score, Instrument::kOboe), ThemeAnswer(), kDMinor, Bar(42), 80);
    PlayMotif(PartFor(score, Instrument::kFlute), ThemeAnswer(), kDMinorHigh, Bar(42), 66);
    const Motif cadence{{9, 2.0}, {7, 1.0}, {8, 2.0}, {6, 1.0}};  // F D | E C#, into D major
    PlayMotif(PartFor(score, Instrument::kOboe), cadence, kDMinor, Bar(46), 82);
    PlayMotif(PartFor(score, Instrument::kFlute), cadence, kDMinorHigh, Bar(46), 68);

    // The firefly's glints: the top of its rising figure, heard again as it flies on.
    const Motif glint = MotifExcerpt(FireflyRise(), 1.2, 10.0);
    for (double glintBar : {37.0, 41.0, 45.0}) {
        PlayMotif(PartFor(score, Instrument::kGlockenspiel), glint, kDMinorHigh, Bar(glintBar), 72);
    }
}

// 120-130 s: the last pull-back. A warm D major chord for the whole orchestra, the flute rising
// through the theme's opening to the high tonic, the firefly's figure once more in major, and
// everything released in time to fade before the film stops the music.
void WriteEnding(Score& score) {
    constexpr double kFinalChordBeats = 7.8;  // released at 126.5 s
    const double start = Bar(48);
    const Chord home = ChordOf("D2", {"F#3", "A3", "D4", "F#4", "A4"});

    SustainUpper(PartFor(score, Instrument::kStringPad), {home}, Span{start, kFinalChordBeats}, 64);
    SustainBass(PartFor(score, Instrument::kBasses), {home}, Span{start, kFinalChordBeats}, 60, 0);
    SustainBass(PartFor(score, Instrument::kCellos), {home}, Span{start, kFinalChordBeats}, 58, 1);
    SustainUpper(PartFor(score, Instrument::kHorns), {ChordOf("D2", {"D3", "A3", "F#4"})},
                 Span{start, kFinalChordBeats}, 56);
    SustainUpper(PartFor(score, Instrument::kChoir), {ChordOf("D2", {"D4", "F#4", "A4"})},
                 Span{start, kFinalChordBeats}, 32);
    Roll(PartFor(score, Instrument::kHarp),
         {MidiPitch("D2"), MidiPitch("A2"), MidiPitch("D3"), MidiPitch("F#3"), MidiPitch("A3"),
          MidiPitch("D4"), MidiPitch("F#4"), MidiPitch("A4"), MidiPitch("D5")},
         start, kFinalChordBeats, 0.12, 54);

    Motif head = MotifExcerpt(MainTheme(), 0.0, 4.0);
    head.back().beats = kFinalChordBeats - 3.0;
    PlayMotif(PartFor(score, Instrument::kFlute), head, kDMajorHigh, start, 66);
    PlayMotif(PartFor(score, Instrument::kCelesta), FireflyRise(), kDMajorHigh, start + 1.5, 70);
}

}  // namespace lumenvale::music
