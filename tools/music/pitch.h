#pragma once

#include <string_view>

namespace lumenvale::music {

// MIDI key number of a note name such as "C4" (60), "F#3" or "Bb5"; scientific octave numbering.
// Throws std::invalid_argument for anything else, so a typo in the score fails loudly.
int MidiPitch(std::string_view name);

}  // namespace lumenvale::music
