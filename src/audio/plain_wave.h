#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>

#include "audio/wav_header.h"

// A checked wave file as the plainest file a device reads: a 44-byte header made from what the
// header check read, then the samples. Devices walk a file's chunks their own ways (some skip no
// padding, take an open data size literally, or let a later format chunk replace the first), so
// they are given the file itself only where none of that can differ (IsPlainWaveFile).
constexpr std::size_t kPlainWaveHeaderBytes = 44;
std::array<unsigned char, kPlainWaveHeaderBytes> PlainWaveHeader(const WavHeader& wave);

// Whether the file at `path`, checked as `wave`, is played as it is by a device that walks its
// chunks itself: samples a device plays unchanged (8-bit or 16-bit integers, also behind an
// extensible header) with the byte rate of PlainWaveHeader, no odd-sized chunk before them (so
// no padding to skip), and a data chunk that gives its size as whole frames, not left open.
// Other chunks (LIST, fact) may come before or after. False when it cannot be read.
bool IsPlainWaveFile(const std::string& path, const WavHeader& wave);

// The samples of `wave` as 16-bit integers, in the same channels and rate; 8-bit and 16-bit
// integer samples stay as they are. What a device that plays only integer samples is given.
WavHeader IntegerWave(const WavHeader& wave);

// Converts `count` samples of `from`'s format at `in` to 16-bit little-endian integers at `out`.
// Floats beyond ±1 are clipped and NaN is silence.
void SamplesTo16Bit(const WavHeader& from, const unsigned char* in, std::size_t count,
                    unsigned char* out);

// A checked wave file read as the plain file of IntegerWave(wave): any byte range of it, the
// samples converted as they are read.
class PlainWaveFile {
  public:
    // False when the file cannot be opened.
    bool Open(const std::string& path, const WavHeader& wave);
    std::uint64_t Size() const;
    // Up to `count` bytes from `at`; fewer at the end or when the file cannot be read.
    std::size_t Read(std::uint64_t at, unsigned char* out, std::size_t count);

  private:
    std::ifstream file;
    WavHeader source;
    WavHeader plain;
    std::array<unsigned char, kPlainWaveHeaderBytes> header{};
};
