#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lumenvale::music {

// Writes a canonical 44-byte-header RIFF/WAVE file of 16-bit PCM; the samples are interleaved by
// channel. Throws std::runtime_error when the file cannot be written.
void WriteWavPcm16(const std::string& path, int sampleRate, int channels,
                   const std::vector<std::int16_t>& samples);

}  // namespace lumenvale::music
