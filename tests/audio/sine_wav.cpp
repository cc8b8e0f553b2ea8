#include "sine_wav.h"

#include <cmath>
#include <cstdint>

namespace {

constexpr uint32_t kSampleRate = 44100;
constexpr uint16_t kChannels = 2;
constexpr uint16_t kBytesPerSample = 2;

void AppendLittleEndian(std::string& bytes, uint32_t value, int byteCount) {
    for (int i = 0; i < byteCount; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
}

}  // namespace

std::string SineWav(double seconds) {
    const auto frames = static_cast<uint32_t>(seconds * kSampleRate);
    const uint32_t blockAlign = kChannels * kBytesPerSample;
    const uint32_t dataSize = frames * blockAlign;

    std::string bytes = "RIFF";
    AppendLittleEndian(bytes, 36 + dataSize, 4);
    bytes += "WAVEfmt ";
    AppendLittleEndian(bytes, 16, 4);  // size of the PCM format block
    AppendLittleEndian(bytes, 1, 2);   // PCM
    AppendLittleEndian(bytes, kChannels, 2);
    AppendLittleEndian(bytes, kSampleRate, 4);
    AppendLittleEndian(bytes, kSampleRate * blockAlign, 4);
    AppendLittleEndian(bytes, blockAlign, 2);
    AppendLittleEndian(bytes, 8 * kBytesPerSample, 2);
    bytes += "data";
    AppendLittleEndian(bytes, dataSize, 4);
    for (uint32_t frame = 0; frame < frames; ++frame) {
        const double phase = 2.0 * M_PI * 440.0 * frame / kSampleRate;
        const auto sample = static_cast<int16_t>(std::lround(8000.0 * std::sin(phase)));
        for (int channel = 0; channel < kChannels; ++channel)
            AppendLittleEndian(bytes, static_cast<uint16_t>(sample), kBytesPerSample);
    }
    return bytes;
}
