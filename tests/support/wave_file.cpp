#include "support/wave_file.h"

#include <cmath>
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

double ToneAt(std::uint32_t frame, std::uint32_t rate) {
    return 0.5 * std::sin(2 * M_PI * 440.0 * frame / rate);
}

std::string Wave(const WaveSpec& w) {
    std::string samples;
    const auto put = [](std::string& out, std::int64_t value, int bytes) {
        out += LittleEndian({value}, bytes);
    };
    for (std::uint32_t i = 0; i < w.rate; ++i) {
        const double value = ToneAt(i, w.rate);
        for (int c = 0; c < w.channels; ++c) {
            if (w.tag == 3 && w.bits == 32) {
                const float f = static_cast<float>(value);
                samples.append(reinterpret_cast<const char*>(&f), 4);
            } else if (w.tag == 3) {
                samples.append(reinterpret_cast<const char*>(&value), 8);
            } else {
                // 8-bit samples are unsigned around 128, wider ones signed.
                const double top = std::ldexp(1.0, w.bits - 1) - 1;
                const std::int64_t sample = std::llround(value * top) + (w.bits == 8 ? 128 : 0);
                put(samples, sample, w.bits / 8);
            }
        }
    }
    const std::uint16_t block = static_cast<std::uint16_t>(w.channels * w.bits / 8);
    std::string fmt;
    put(fmt, w.extensible ? 0xFFFE : w.tag, 2);
    put(fmt, w.channels, 2);
    put(fmt, w.rate, 4);
    put(fmt, w.rate * block, 4);
    put(fmt, block, 2);
    put(fmt, w.bits, 2);
    if (w.extensible) {
        put(fmt, 22, 2);
        put(fmt, w.bits, 2);
        put(fmt, 3, 4);
        put(fmt, w.tag, 2);
        fmt += std::string("\0\0\0\0\x10\0\x80\0\0\xAA\0\x38\x9B\x71", 14);
    }
    std::string body = "WAVEfmt ";
    put(body, fmt.size(), 4);
    body += fmt + w.before + "data";
    put(body, w.dataSize.value_or(static_cast<std::uint32_t>(samples.size())), 4);
    body += samples + w.after;
    std::string wav = "RIFF";
    put(wav, body.size(), 4);
    return wav + body;
}
