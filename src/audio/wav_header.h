#pragma once

#include <cstdint>
#include <istream>
#include <optional>
#include <string>

// The facts of a RIFF/WAVE file that a player needs before it hands the file to a device, and
// that a reader of the samples needs to find them.
struct WavHeader {
    uint16_t formatTag = 0;   // kWavFormatPcm or kWavFormatFloat; an extensible file's sub-format
    uint16_t channels = 0;    // interleaved channels, 1 to kMaxWavChannels
    uint32_t sampleRate = 0;  // frames per second
    uint16_t bitsPerSample = 0;  // 8, 16, 24 or 32 for integers; 32 or 64 for floats
    uint16_t blockAlign = 0;     // bytes per frame: channels × bitsPerSample / 8
    uint64_t dataOffset = 0;     // where the samples start, in bytes from the file's start
    uint64_t dataSize = 0;       // bytes of samples, whole frames only
};

// Either a header or, when the file is not a wave a device can play, why not.
struct WavHeaderResult {
    std::optional<WavHeader> header;
    std::string error;  // one sentence without a line end; empty when `header` is set
};

constexpr uint16_t kWavFormatPcm = 1;
constexpr uint16_t kWavFormatFloat = 3;
// More channels than any speaker layout the platforms' mixers know (7.1) is a damaged header.
constexpr uint16_t kMaxWavChannels = 8;
// Below this the audio library's converter needs memory out of all proportion to the file (a
// 1 Hz file would take gigabytes); no recorder writes such rates.
constexpr uint32_t kMinWavSampleRate = 1000;
// Rates above studio masters' 384 kHz are not music but a damaged header.
constexpr uint32_t kMaxWavSampleRate = 384000;
// A RIFF file cannot address more.
constexpr uint64_t kMaxWavFileBytes = 0xFFFFFFFFull;
// Chunks in one file: real files have a handful; thousands of empty ones are a slow walk.
constexpr unsigned kMaxWavChunks = 4096;

// Walks every chunk of the file, as the audio library does, so that nothing after the samples
// can contradict what is checked here: a second format or data chunk is refused. The samples
// themselves are not read. A data chunk claiming 0 or 0xFFFFFFFF bytes, as streaming recorders
// write it, holds the rest of the file. The stream is left at an unspecified position.
WavHeaderResult ParseWavHeader(std::istream& in);
// Parses `path`, which must be a regular file: a pipe or a device would never end.
WavHeaderResult ReadWavHeader(const std::string& path);
