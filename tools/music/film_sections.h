#pragma once

#include "accompaniment.h"
#include "score.h"
#include "theme.h"

namespace lumenvale::music {

// The piece is in 3/4 at 72 beats per minute, so one bar lasts 2.5 s and every turn of the film
// (sunrise 10 s, noon 40 s, sunset 70 s, the firefly at 75 s, its flight from 85 s, the last
// pull-back near 120 s) falls on a bar line.
constexpr double kBeatsPerMinute = 72.0;
constexpr double kBeatsPerBar = 3.0;

constexpr double Bar(double index) {
    return index * kBeatsPerBar;
}
constexpr Span BarsFrom(double index) {
    return Span{Bar(index), kBeatsPerBar};
}

// Home key D major, with D minor for the night and G major for the sunset.
constexpr int kD4 = 62;
constexpr int kD5 = 74;
constexpr int kG3 = 55;
constexpr Key kDMajor{kD4, Mode::kMajor};
constexpr Key kDMajorHigh{kD5, Mode::kMajor};
constexpr Key kDMinor{kD4, Mode::kHarmonicMinor};
constexpr Key kDMinorHigh{kD5, Mode::kHarmonicMinor};
constexpr Key kGMajorLow{kG3, Mode::kMajor};

// The eight bars under the main theme in D major; sunrise and noon share them.
Progression ThemeHarmonyMajor();

// Day: bars 0-28 (0-70 s).
void WriteNightOpening(Score& score);
void WriteSunrise(Score& score);
void WriteNoon(Score& score);
void WriteSunset(Score& score);

// Night: bars 28-52 (70-130 s).
void WriteHush(Score& score);
void WriteFireflyRise(Score& score);
void WriteFlight(Score& score);
void WriteEnding(Score& score);

}  // namespace lumenvale::music
