#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "audio/wav_header.h"

// The sample format of a wave file a test writes.
struct WaveFormat {
    std::uint16_t tag = kWavFormatPcm;  // or kWavFormatFloat
    std::uint16_t channels = 2;
    std::uint32_t rate = 44100;
    std::uint16_t bits = 16;
};

// A canonical RIFF/WAVE file, its format chunk and its data chunk holding `samples`, the raw
// sample bytes, as they are.
std::string WaveBytes(const WaveFormat& format, const std::string& samples);
// Samples of `bytes` bytes each, little-endian, in the order given.
std::string LittleEndian(const std::vector<std::int64_t>& samples, int bytes);

// A wave file read back: the header as the player's own parser finds it, the RIFF size and the
// byte rate it leaves aside, and the samples when they are 16-bit integers.
struct WaveContents {
    WavHeader header;
    std::uint32_t riffSize = 0;
    std::uint32_t byteRate = 0;
    std::vector<std::int16_t> samples;

    double Seconds() const {
        return static_cast<double>(samples.size()) / header.channels / header.sampleRate;
    }
};
// Throws std::runtime_error with the parser's reason when the file is not a playable wave.
WaveContents ReadWave(const std::string& path);
