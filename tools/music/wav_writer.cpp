#include "wav_writer.h"

#include <fstream>
#include <stdexcept>

namespace lumenvale::music {

namespace {

// WAV is little-endian whatever the machine is.
void put_u32(std::ofstream& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) out.put(static_cast<char>((value >> shift) & 0xFF));
}

void put_u16(std::ofstream& out, std::uint16_t value) {
    out.put(static_cast<char>(value & 0xFF));
    out.put(static_cast<char>((value >> 8) & 0xFF));
}

}  // namespace

void write_wav_pcm16(const std::string& path, int sample_rate, int channels,
                     const std::vector<std::int16_t>& samples) {
    constexpr std::uint16_t kPcmFormat = 1;
    constexpr std::uint16_t kBitsPerSample = 16;
    constexpr std::uint32_t kFormatChunkSize = 16;
    const auto block_align = static_cast<std::uint16_t>(channels * kBitsPerSample / 8);
    const auto data_bytes = static_cast<std::uint32_t>(samples.size() * sizeof(std::int16_t));

    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) throw std::runtime_error("cannot open for writing: " + path);
    out.write("RIFF", 4);
    put_u32(out, 4 + (8 + kFormatChunkSize) + (8 + data_bytes));
    out.write("WAVE", 4);
    out.write("fmt ", 4);
    put_u32(out, kFormatChunkSize);
    put_u16(out, kPcmFormat);
    put_u16(out, static_cast<std::uint16_t>(channels));
    put_u32(out, static_cast<std::uint32_t>(sample_rate));
    put_u32(out, static_cast<std::uint32_t>(sample_rate) * block_align);
    put_u16(out, block_align);
    put_u16(out, kBitsPerSample);
    out.write("data", 4);
    put_u32(out, data_bytes);
    for (std::int16_t sample : samples) put_u16(out, static_cast<std::uint16_t>(sample));
    if (!out) throw std::runtime_error("failed while writing: " + path);
}

}  // namespace lumenvale::music
