#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lumenvale::music::testing {

// What the tests need of a WAV file, read independently of the generator's writer.
struct WavFile {
    int formatTag = 0;
    int channels = 0;
    int sampleRate = 0;
    int bitsPerSample = 0;
    int blockAlign = 0;
    std::uint32_t byteRate = 0;
    std::vector<std::int16_t> samples;  // interleaved; only filled for 16-bit PCM

    double Seconds() const { return static_cast<double>(samples.size()) / channels / sampleRate; }
};

// Walks the RIFF chunks for "fmt " and "data". Throws std::runtime_error on a malformed file.
WavFile ReadWav(const std::string& path);

}  // namespace lumenvale::music::testing
