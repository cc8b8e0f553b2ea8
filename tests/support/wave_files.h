#pragma once

#include <cstdint>
#include <optional>
#include <string>

// One second of a 440 Hz tone in any sample format, with chunks before and after the samples
// and the data chunk's size as a recorder may have left it.
struct WaveSpec {
    std::uint16_t tag = 1;  // 1 integers, 3 floats
    std::uint16_t channels = 2;
    std::uint32_t rate = 44100;
    std::uint16_t bits = 16;
    bool extensible = false;
    std::string before, after;
    std::optional<std::uint32_t> dataSize;
};
std::string Wave(const WaveSpec& w);

// The tone's value, between -0.5 and 0.5, at `frame` of a file of `rate` frames a second.
double ToneAt(std::uint32_t frame, std::uint32_t rate);

template <typename Change>
std::string WaveWhere(Change change) {
    WaveSpec spec;
    change(spec);
    return Wave(spec);
}
