#include "wav_writer.h"

#include <fstream>
#include <stdexcept>

namespace lumenvale::music {

namespace {

// WAV is little-endian whatever the machine is.
void PutU32(std::ofstream& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) out.put(static_cast<char>((value >> shift) & 0xFF));
}

void PutU16(std::ofstream& out, std::uint16_t value) {
    out.put(static_cast<char>(value & 0xFF));
    out.put(static_cast<char>((value >> 8) & 0xFF));
}

}  // namespace

void WriteWavPcm16(const std::string& path, int sampleRate, int channels,
                   const std::vector<std::int16_t>& samples) {
    constexpr std::uint16_t kPcmFormat = 1;
    constexpr std::uint16_t kBitsPerSample = 16;
    constexpr std::uint32_t kFormatChunkSize = 16;
    const auto blockAlign = static_cast<std::uint16_t>(channels * kBitsPerSample / 8);
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * sizeof(std::int16_t));

    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) throw std::runtime_error("cannot open for writing: " + path);
    out.write("RIFF", 4);
    PutU32(out, 4 + (8 + kFormatChunkSize) + (8 + dataBytes));
    out.write("WAVE", 4);
    out.write("fmt ", 4);
    PutU32(out, kFormatChunkSize);
    PutU16(out, kPcmFormat);
    PutU16(out, static_cast<std::uint16_t>(channels));
    PutU32(out, static_cast<std::uint32_t>(sampleRate));
    PutU32(out, static_cast<std::uint32_t>(sampleRate) * blockAlign);
    PutU16(out, blockAlign);
    PutU16(out, kBitsPerSample);
    out.write("data", 4);
    PutU32(out, dataBytes);
    for (std::int16_t sample : samples) PutU16(out, static_cast<std::uint16_t>(sample));
    if (!out) throw std::runtime_error("failed while writing: " + path);
}

}  // namespace lumenvale::music
