#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "score.h"

namespace lumenvale::music {

constexpr int kFilmSampleRate = 44100;
constexpr int kFilmChannels = 2;
// Headroom below full scale for the loudest sample, a little more than 1 dB so that rounding to
// 16 bits cannot reach it.
constexpr double kFilmPeakDbfs = -1.05;

// The finished soundtrack of a score: rendered, faded in and out, normalised and converted to
// interleaved 16-bit stereo at 44.1 kHz.
std::vector<std::int16_t> RenderFilmMusic(const Score& score, const std::string& soundfontPath);

}  // namespace lumenvale::music
