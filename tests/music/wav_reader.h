#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lumenvale::music::testing {

// What the tests need of a WAV file, read independently of the generator's writer.
struct WavFile {
    int format_tag = 0;
    int channels = 0;
    int sample_rate = 0;
    int bits_per_sample = 0;
    int block_align = 0;
    std::uint32_t byte_rate = 0;
    std::vector<std::int16_t> samples;  // interleaved; only filled for 16-bit PCM

    double seconds() const { return static_cast<double>(samples.size()) / channels / sample_rate; }
};

// Walks the RIFF chunks for "fmt " and "data". Throws std::runtime_error on a malformed file.
WavFile read_wav(const std::string& path);

}  // namespace lumenvale::music::testing
