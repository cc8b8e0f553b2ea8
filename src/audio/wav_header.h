#pragma once

#include <cstdint>
#include <istream>
#include <optional>
#include <string>

// The facts of a RIFF/WAVE file that a player needs before it hands the file to a device, and
// that a reader of the samples needs to find them.
struct WavHeader {
    uint16_t formatTag = 0;      // 1 for PCM; 0xFFFE (extensible) when the sub-format is PCM
    uint16_t channels = 0;       // interleaved channels, 1 to kMaxWavChannels
    uint32_t sampleRate = 0;     // frames per second
    uint16_t bitsPerSample = 0;  // 8, 16, 24 or 32
    uint16_t blockAlign = 0;     // bytes per frame: channels × bitsPerSample / 8
    uint64_t dataOffset = 0;     // where the samples start, in bytes from the file's start
    uint32_t dataSize = 0;       // bytes of samples, whole frames only
};

// Either a header or, when the file is not a PCM wave a device can play, why not.
struct WavHeaderResult {
    std::optional<WavHeader> header;
    std::string error;  // one sentence without a line end; empty when `header` is set
};

// More channels than any speaker layout the platforms' mixers know (7.1) is a damaged header.
constexpr uint16_t kMaxWavChannels = 8;
// Rates above studio masters' 384 kHz are not music but a damaged header.
constexpr uint32_t kMaxWavSampleRate = 384000;

// Reads the chunks in front of the samples; the samples themselves are not read. The stream is
// left at an unspecified position.
WavHeaderResult ParseWavHeader(std::istream& in);
// Opens `path` as a binary file and parses it; a file that cannot be opened is an error too.
WavHeaderResult ReadWavHeader(const std::string& path);
