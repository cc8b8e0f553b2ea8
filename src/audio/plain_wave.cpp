#include "audio/plain_wave.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

constexpr std::uint16_t kPlainBits = 16;
// Samples converted at a time while reading.
constexpr std::size_t kSamplesPerRead = 4096;

void Put(unsigned char* at, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) at[i] = static_cast<unsigned char>(value >> (8 * i));
}

std::int16_t FromFloat(double value) {
    if (!(value == value)) return 0;  // NaN
    return static_cast<std::int16_t>(std::lround(std::clamp(value, -1.0, 1.0) * 32767.0));
}

std::int16_t Sample16(const WavHeader& from, const unsigned char* s) {
    if (from.formatTag == kWavFormatFloat) {
        if (from.bitsPerSample == 32) {
            float value;
            std::memcpy(&value, s, sizeof value);
            return FromFloat(value);
        }
        double value;
        std::memcpy(&value, s, sizeof value);
        return FromFloat(value);
    }
    // Integers keep their top 16 bits; 8-bit samples are unsigned around 128.
    const int bytes = from.bitsPerSample / 8;
    if (bytes == 1) return static_cast<std::int16_t>((s[0] - 128) * 256);
    return static_cast<std::int16_t>(s[bytes - 2] | s[bytes - 1] << 8);
}

bool StaysAsItIs(const WavHeader& wave) {
    return wave.formatTag == kWavFormatPcm && wave.bitsPerSample <= kPlainBits;
}

}  // namespace

std::array<unsigned char, kPlainWaveHeaderBytes> PlainWaveHeader(const WavHeader& wave) {
    std::array<unsigned char, kPlainWaveHeaderBytes> h{};
    const auto dataSize = static_cast<std::uint32_t>(wave.dataSize);
    std::memcpy(h.data(), "RIFF", 4);
    Put(h.data() + 4, 36 + dataSize, 4);
    std::memcpy(h.data() + 8, "WAVEfmt ", 8);
    Put(h.data() + 16, 16, 4);
    Put(h.data() + 20, wave.formatTag, 2);
    Put(h.data() + 22, wave.channels, 2);
    Put(h.data() + 24, wave.sampleRate, 4);
    Put(h.data() + 28, wave.sampleRate * wave.blockAlign, 4);
    Put(h.data() + 32, wave.blockAlign, 2);
    Put(h.data() + 34, wave.bitsPerSample, 2);
    std::memcpy(h.data() + 36, "data", 4);
    Put(h.data() + 40, dataSize, 4);
    return h;
}

bool IsPlainWaveFile(const std::string& path, const WavHeader& wave) {
    if (!StaysAsItIs(wave)) return false;
    std::ifstream file(path, std::ios::binary);
    const auto read = [&](std::uint64_t at, unsigned char* out, std::size_t count) {
        file.seekg(static_cast<std::streamoff>(at));
        file.read(reinterpret_cast<char*>(out), static_cast<std::streamsize>(count));
        return file.gcount() == static_cast<std::streamsize>(count);
    };
    const auto u32 = [](const unsigned char* p) {
        return p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24;
    };
    const std::array<unsigned char, kPlainWaveHeaderBytes> plain = PlainWaveHeader(wave);
    unsigned char riff[12];
    if (!read(0, riff, sizeof riff) || std::memcmp(riff, plain.data(), 4) != 0 ||
        std::memcmp(riff + 8, plain.data() + 8, 4) != 0 ||
        u32(riff + 4) + std::uint64_t{8} < wave.dataOffset + wave.dataSize)
        return false;
    for (std::uint64_t at = sizeof riff; at + 8 <= wave.dataOffset;) {
        unsigned char head[8];
        if (!read(at, head, sizeof head)) return false;
        const std::uint32_t size = u32(head + 4);
        if (size % 2 != 0) return false;
        const std::uint64_t body = at + 8;
        if (std::memcmp(head, "data", 4) == 0)
            return body == wave.dataOffset && size == wave.dataSize;
        if (std::memcmp(head, "fmt ", 4) == 0) {
            // The tag is PCM's or the extensible one's with PCM inside; past it, the fields of
            // the plain header, the byte rate too.
            unsigned char format[16];
            if (!read(body, format, sizeof format) ||
                std::memcmp(format + 2, plain.data() + 22, sizeof format - 2) != 0)
                return false;
        }
        at = body + size;
    }
    return false;
}

WavHeader IntegerWave(const WavHeader& wave) {
    if (StaysAsItIs(wave)) return wave;
    WavHeader plain = wave;
    plain.formatTag = kWavFormatPcm;
    plain.bitsPerSample = kPlainBits;
    plain.blockAlign = static_cast<std::uint16_t>(wave.channels * kPlainBits / 8);
    plain.dataSize = wave.dataSize / wave.blockAlign * plain.blockAlign;
    return plain;
}

void SamplesTo16Bit(const WavHeader& from, const unsigned char* in, std::size_t count,
                    unsigned char* out) {
    const std::size_t stride = from.bitsPerSample / 8;
    for (std::size_t i = 0; i < count; ++i) {
        const auto value = static_cast<std::uint16_t>(Sample16(from, in + i * stride));
        out[2 * i] = static_cast<unsigned char>(value);
        out[2 * i + 1] = static_cast<unsigned char>(value >> 8);
    }
}

bool PlainWaveFile::Open(const std::string& path, const WavHeader& wave) {
    file.open(path, std::ios::binary);
    source = wave;
    plain = IntegerWave(wave);
    header = PlainWaveHeader(plain);
    return file.is_open();
}

std::uint64_t PlainWaveFile::Size() const {
    return kPlainWaveHeaderBytes + plain.dataSize;
}

std::size_t PlainWaveFile::Read(std::uint64_t at, unsigned char* out, std::size_t count) {
    std::size_t done = 0;
    if (at < kPlainWaveHeaderBytes && count > 0) {
        done = static_cast<std::size_t>(std::min<std::uint64_t>(count, kPlainWaveHeaderBytes - at));
        std::memcpy(out, header.data() + at, done);
    }
    const std::size_t inBytes = source.bitsPerSample / 8, outBytes = plain.bitsPerSample / 8;
    std::vector<unsigned char> samples;
    while (done < count && at + done < Size()) {
        const std::uint64_t offset = at + done - kPlainWaveHeaderBytes;  // in the plain samples
        const std::uint64_t first = offset / outBytes;
        const std::size_t wanted = static_cast<std::size_t>(
            std::min<std::uint64_t>(count - done, plain.dataSize - offset));
        const std::size_t sampleCount = std::min(
            kSamplesPerRead,
            (static_cast<std::size_t>(offset % outBytes) + wanted + outBytes - 1) / outBytes);
        samples.resize(sampleCount * inBytes);
        file.clear();
        file.seekg(static_cast<std::streamoff>(source.dataOffset + first * inBytes));
        file.read(reinterpret_cast<char*>(samples.data()),
                  static_cast<std::streamsize>(samples.size()));
        const std::size_t got = static_cast<std::size_t>(file.gcount()) / inBytes;
        if (got == 0) break;
        std::vector<unsigned char> converted(got * outBytes);
        if (StaysAsItIs(source))
            std::memcpy(converted.data(), samples.data(), converted.size());
        else
            SamplesTo16Bit(source, samples.data(), got, converted.data());
        const std::size_t skip = static_cast<std::size_t>(offset % outBytes);
        const std::size_t taken = std::min(wanted, converted.size() - skip);
        std::memcpy(out + done, converted.data() + skip, taken);
        done += taken;
    }
    return done;
}
