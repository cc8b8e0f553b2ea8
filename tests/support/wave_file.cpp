#include "support/wave_file.h"

#include <stdexcept>

#include "support/temp_files.h"

namespace {

std::uint32_t Uint32At(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(bytes.at(at + i));
    return value;
}

}  // namespace

std::string LittleEndian(const std::vector<std::int64_t>& samples, int bytes) {
    std::string text;
    for (const std::int64_t sample : samples)
        for (int i = 0; i < bytes; ++i)
            text += static_cast<char>(static_cast<std::uint64_t>(sample) >> (8 * i));
    return text;
}

std::string WaveBytes(const WaveFormat& format, const std::string& samples) {
    const std::int64_t block = format.channels * format.bits / 8;
    const auto size = static_cast<std::int64_t>(samples.size());
    return "RIFF" + LittleEndian({36 + size}, 4) + "WAVEfmt " + LittleEndian({16}, 4) +
           LittleEndian({format.tag, format.channels}, 2) +
           LittleEndian({format.rate, format.rate * block}, 4) +
           LittleEndian({block, format.bits}, 2) + "data" + LittleEndian({size}, 4) + samples;
}

WaveContents ReadWave(const std::string& path) {
    const WavHeaderResult parsed = ReadWavHeader(path);
    if (!parsed.header) throw std::runtime_error(path + ": " + parsed.error);
    const std::string bytes = ReadFile(path);
    WaveContents wave{*parsed.header, Uint32At(bytes, 4), Uint32At(bytes, 28), {}};
    if (wave.header.formatTag == kWavFormatPcm && wave.header.bitsPerSample == 16) {
        for (std::uint64_t at = wave.header.dataOffset;
             at + 1 < wave.header.dataOffset + wave.header.dataSize; at += 2)
            wave.samples.push_back(
                static_cast<std::int16_t>(static_cast<unsigned char>(bytes[at]) |
                                          static_cast<unsigned char>(bytes[at + 1]) << 8));
    }
    return wave;
}
