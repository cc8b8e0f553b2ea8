#pragma once

#include <string>

#include "score.h"
#include "stereo_buffer.h"

namespace lumenvale::music {

// General MIDI soundfont of the Debian package musescore-general-soundfont-small.
inline const std::string kSoundfontPath = "/usr/share/sounds/sf3/MuseScore_General_Lite.sf3";

// Plays the score through FluidSynth offline, from the start for the given number of seconds, at
// 44.1 kHz. Every setting that shapes the sound is fixed here and the synthesizer runs on one
// thread, so the same score gives the same samples on every run. Throws std::runtime_error when
// the synthesizer or the soundfont cannot be set up.
StereoBuffer RenderScore(const Score& score, const std::string& soundfontPath, double seconds);

}  // namespace lumenvale::music
