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

constexpr double bar(double index) {
    return index * kBeatsPerBar;
}
constexpr Span bars_from(double index) {
    return Span{bar(index), kBeatsPerBar};
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
Progression theme_harmony_major();

// Day: bars 0-28 (0-70 s).
void write_night_opening(Score& score);
void write_sunrise(Score& score);
void write_noon(Score& score);
void write_sunset(Score& score);

// Night: bars 28-52 (70-130 s).
void write_hush(Score& score);
void write_firefly_rise(Score& score);
void write_flight(Score& score);
void write_ending(Score& score);

}  // namespace lumenvale::music
