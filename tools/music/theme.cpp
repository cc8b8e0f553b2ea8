#include "theme.h"

#include <algorithm>
#include <array>

namespace lumenvale::music {

namespace {

constexpr std::array<int, 7> kMajorSteps{0, 2, 4, 5, 7, 9, 11};
// The raised seventh keeps a leading tone in the minor versions of the theme.
constexpr std::array<int, 7> kHarmonicMinorSteps{0, 2, 3, 5, 7, 8, 11};

constexpr int kVelocityPerDegree = 2;
// Notes are released just before the next one so that repeated pitches re-articulate.
constexpr double kLegato = 0.94;

}  // namespace

int DegreePitch(const Key& key, int degree) {
    const auto& steps = key.mode == Mode::kMajor ? kMajorSteps : kHarmonicMinorSteps;
    const int octave = degree >= 0 ? degree / 7 : -((-degree + 6) / 7);
    const int step = degree - octave * 7;
    return key.tonic + octave * 12 + steps[static_cast<std::size_t>(step)];
}

const Motif& MainTheme() {
    static const Motif theme{
        {2, 2.0}, {4, 1.0},            //
        {7, 2.0}, {6, 1.0},            //
        {5, 1.5}, {4, 0.5}, {3, 1.0},  //
        {4, 3.0},                      //
        {2, 2.0}, {4, 1.0},            //
        {8, 2.0}, {7, 1.0},            //
        {6, 1.0}, {5, 1.0}, {6, 1.0},  //
        {7, 3.0},                      //
    };
    return theme;
}

const Motif& ThemeAnswer() {
    static const Motif answer{
        {5, 2.0},  {7, 1.0},            //
        {10, 2.0}, {9, 1.0},            //
        {8, 1.0},  {7, 1.0}, {5, 1.0},  //
        {4, 3.0},                       //
    };
    return answer;
}

const Motif& FireflyRise() {
    constexpr double kTriplet = 1.0 / 3.0;
    static const Motif rise{
        {0, kTriplet}, {2, kTriplet},  {4, kTriplet}, {7, kTriplet},
        {9, kTriplet}, {11, kTriplet}, {14, 4.0},
    };
    return rise;
}

Motif MotifExcerpt(const Motif& motif, double fromBeat, double toBeat) {
    Motif excerpt;
    double beat = 0.0;
    for (const MotifNote& note : motif) {
        if (beat >= fromBeat && beat < toBeat) excerpt.push_back(note);
        beat += note.beats;
    }
    return excerpt;
}

double PlayMotif(Part& part, const Motif& motif, const Key& key, double startBeat, int velocity) {
    if (motif.empty()) return startBeat;
    const int lowestDegree =
        std::min_element(motif.begin(), motif.end(), [](const MotifNote& a, const MotifNote& b) {
            return a.degree < b.degree;
        })->degree;
    double beat = startBeat;
    for (const MotifNote& note : motif) {
        const int shaped = velocity + kVelocityPerDegree * (note.degree - lowestDegree);
        part.notes.push_back(Note{beat, note.beats * kLegato, DegreePitch(key, note.degree),
                                  std::clamp(shaped, 1, 127)});
        beat += note.beats;
    }
    return beat;
}

}  // namespace lumenvale::music
