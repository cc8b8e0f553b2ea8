#include "film_sections.h"
#include "orchestra.h"
#include "pitch.h"

namespace lumenvale::music {

namespace {

// The main theme's harmony turned to D minor; its seventh bar keeps the flattened sixth of the
// minor theme as the dominant's minor ninth.
Progression theme_harmony_minor() {
    return {
        chord("D2", {"F3", "A3", "D4"}),         // i
        chord("Bb1", {"F3", "Bb3", "D4"}),       // VI
        chord("G1", {"G3", "Bb3", "D4"}),        // iv
        chord("A1", {"E3", "A3", "C#4"}),        // V
        chord("D2", {"F3", "A3", "D4"}),         // i
        chord("E2", {"G3", "Bb3", "D4"}),        // ii half-diminished
        chord("A1", {"G3", "A3", "C#4", "E4"}),  // V7
        chord("D2", {"F3", "A3", "D4"}),         // i
    };
}

}  // namespace

// 70-75 s: the sun is gone and the camera looks down into the water. Only a low, still chord on
// G minor over B flat, turning to the dominant of D minor.
void write_hush(Score& score) {
    const Progression hush{
        chord("Bb1", {"D3", "G3", "A3", "D4"}),  // Gm(add9)/Bb
        chord("A1", {"D3", "G3", "A3", "E4"}),   // A7sus4
    };
    sustain_upper(part(score, Instrument::kStringPad), hush, bars_from(28), 54);
    sustain_bass(part(score, Instrument::kBasses), hush, bars_from(28), 46, 0);
    sustain_upper(part(score, Instrument::kChoir), hush, bars_from(28), 46);
}

// 75-85 s: the firefly lifts off. The celesta climbs the D minor chord over two octaves and the
// glockenspiel catches its top; then the theme's opening, now in minor, answers from above.
void write_firefly_rise(Score& score) {
    const Progression rise{
        chord("D2", {"D3", "F3", "A3", "E4"}),    // Dm(add9)
        chord("D2", {"D3", "F3", "A3", "D4"}),    // Dm
        chord("Bb1", {"D3", "F3", "A3", "D4"}),   // Bbmaj7
        chord("A1", {"C#3", "E3", "G3", "C#4"}),  // A7
    };
    sustain_upper(part(score, Instrument::kStringPad), rise, bars_from(30), 50);
    sustain_bass(part(score, Instrument::kBasses), rise, bars_from(30), 40, 0);
    sustain_upper(part(score, Instrument::kChoir), rise, bars_from(30), 46);

    std::vector<int> harp_chord{rise[0].bass};
    harp_chord.insert(harp_chord.end(), rise[0].upper.begin(), rise[0].upper.end());
    roll(part(score, Instrument::kHarp), harp_chord, bar(30), 6.0, 0.15, 54);

    const double rise_end =
        play_motif(part(score, Instrument::kCelesta), firefly_rise(), kDMinorHigh, bar(30), 96);
    part(score, Instrument::kGlockenspiel)
        .notes.push_back(Note{rise_end - 4.0, 3.0, degree_pitch(kDMinorHigh, 14), 84});
    play_motif(part(score, Instrument::kCelesta), motif_excerpt(main_theme(), 0.0, 4.0),
               kDMinorHigh, bar(32), 88);
}

// 85-120 s: the flight. Pizzicato eighths keep a pulse while the clarinet sings the theme in
// D minor, the celesta shadows it, the oboe and flute take the answer and the music grows toward
// the cadence that turns back to D major.
void write_flight(Score& score) {
    const Progression theme_harmony = theme_harmony_minor();
    const Progression answer_harmony{
        chord("G1", {"G3", "Bb3", "D4"}),        // iv
        chord("Bb1", {"F3", "A3", "D4"}),        // VImaj7
        chord("E2", {"G3", "Bb3", "D4"}),        // ii half-diminished
        chord("A1", {"G3", "A3", "C#4", "E4"}),  // V7
        chord("Bb1", {"F3", "Bb3", "D4"}),       // VI
        chord("A1", {"G3", "A3", "C#4", "E4"}),  // V7
    };
    Progression whole_flight = theme_harmony;
    whole_flight.insert(whole_flight.end(), answer_harmony.begin(), answer_harmony.end());

    pulse(part(score, Instrument::kPizzicato), theme_harmony, bars_from(34), 64, 1);
    pulse(part(score, Instrument::kPizzicato), answer_harmony, bars_from(42), 74, 1);
    sustain_upper(part(score, Instrument::kStringPad), whole_flight, bars_from(34), 44);
    sustain_bass(part(score, Instrument::kBasses), answer_harmony, bars_from(42), 48, 0);
    arpeggiate(part(score, Instrument::kHarp), answer_harmony, bars_from(42), 0.5, 48);
    sustain_upper(part(score, Instrument::kHorns),
                  Progression(answer_harmony.begin() + 2, answer_harmony.end()), bars_from(44), 52);

    play_motif(part(score, Instrument::kClarinet), main_theme(), kDMinor, bar(34), 90);
    play_motif(part(score, Instrument::kCelesta), motif_excerpt(main_theme(), 12.0, 24.0),
               kDMinorHigh, bar(38), 76);
    play_motif(part(score, Instrument::kOboe), theme_answer(), kDMinor, bar(42), 80);
    play_motif(part(score, Instrument::kFlute), theme_answer(), kDMinorHigh, bar(42), 66);
    const Motif cadence{{9, 2.0}, {7, 1.0}, {8, 2.0}, {6, 1.0}};  // F D | E C#, into D major
    play_motif(part(score, Instrument::kOboe), cadence, kDMinor, bar(46), 82);
    play_motif(part(score, Instrument::kFlute), cadence, kDMinorHigh, bar(46), 68);

    // The firefly's glints: the top of its rising figure, heard again as it flies on.
    const Motif glint = motif_excerpt(firefly_rise(), 1.2, 10.0);
    for (double glint_bar : {37.0, 41.0, 45.0}) {
        play_motif(part(score, Instrument::kGlockenspiel), glint, kDMinorHigh, bar(glint_bar), 72);
    }
}

// 120-130 s: the last pull-back. A warm D major chord for the whole orchestra, the flute rising
// through the theme's opening to the high tonic, the firefly's figure once more in major, and
// everything released in time to fade before the film stops the music.
void write_ending(Score& score) {
    constexpr double kFinalChordBeats = 7.8;  // released at 126.5 s
    const double start = bar(48);
    const Chord home = chord("D2", {"F#3", "A3", "D4", "F#4", "A4"});

    sustain_upper(part(score, Instrument::kStringPad), {home}, Span{start, kFinalChordBeats}, 64);
    sustain_bass(part(score, Instrument::kBasses), {home}, Span{start, kFinalChordBeats}, 60, 0);
    sustain_bass(part(score, Instrument::kCellos), {home}, Span{start, kFinalChordBeats}, 58, 1);
    sustain_upper(part(score, Instrument::kHorns), {chord("D2", {"D3", "A3", "F#4"})},
                  Span{start, kFinalChordBeats}, 56);
    sustain_upper(part(score, Instrument::kChoir), {chord("D2", {"D4", "F#4", "A4"})},
                  Span{start, kFinalChordBeats}, 32);
    roll(part(score, Instrument::kHarp),
         {midi_pitch("D2"), midi_pitch("A2"), midi_pitch("D3"), midi_pitch("F#3"), midi_pitch("A3"),
          midi_pitch("D4"), midi_pitch("F#4"), midi_pitch("A4"), midi_pitch("D5")},
         start, kFinalChordBeats, 0.12, 54);

    Motif head = motif_excerpt(main_theme(), 0.0, 4.0);
    head.back().beats = kFinalChordBeats - 3.0;
    play_motif(part(score, Instrument::kFlute), head, kDMajorHigh, start, 66);
    play_motif(part(score, Instrument::kCelesta), firefly_rise(), kDMajorHigh, start + 1.5, 70);
}

}  // namespace lumenvale::music
