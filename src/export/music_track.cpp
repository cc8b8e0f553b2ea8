#include "export/music_track.h"

#include <cmath>
#include <cstring>

#include "export/export_error.h"

namespace {

// What the AAC encoder takes, in descending order.
constexpr int kEncoderRates[] = {96000, 88200, 64000, 48000, 44100, 32000, 24000,
                                 22050, 16000, 12000, 11025, 8000,  7350};

// One sample of `bytes` bytes, little-endian: 8-bit samples are unsigned, wider integers signed;
// floats are clamped to [-1, 1], and anything that is not a number is silence.
float SampleValue(const unsigned char* p, int bytes, bool isFloat) {
    if (isFloat) {
        double value = 0.0;
        if (bytes == 4) {
            float single;
            std::memcpy(&single, p, 4);
            value = single;
        } else {
            std::memcpy(&value, p, 8);
        }
        if (!std::isfinite(value)) return 0.0f;
        return static_cast<float>(value < -1.0 ? -1.0 : value > 1.0 ? 1.0 : value);
    }
    if (bytes == 1) return (static_cast<int>(p[0]) - 128) / 128.0f;
    std::uint32_t bits = 0;
    for (int i = 0; i < bytes; ++i) bits |= static_cast<std::uint32_t>(p[i]) << (8 * i);
    bits <<= 8 * (4 - bytes);  // the sign bit to the top
    return static_cast<float>(static_cast<std::int32_t>(bits) / 2147483648.0);
}

}  // namespace

int EncoderSampleRate(int rate) {
    int chosen = kEncoderRates[0];
    for (const int candidate : kEncoderRates)
        if (candidate >= rate) chosen = candidate;
    return chosen;
}

MusicTrack MusicTrack::Load(const std::string& path) {
    const WavHeaderResult result = ReadWavHeader(path);
    if (!result.header) throw ExportError(path + ": " + result.error);
    const WavHeader& header = *result.header;
    MusicTrack track(EncoderSampleRate(static_cast<int>(header.sampleRate)), header.channels);
    track.path = path;
    track.wave = header;
    track.fileFrames = static_cast<std::int64_t>(header.dataSize / header.blockAlign);
    track.file = std::make_unique<std::ifstream>(path, std::ios::binary);
    if (!*track.file) throw ExportError(path + ": the samples cannot be read");
    return track;
}

MusicTrack MusicTrack::Silence(int sampleRate, int channels) {
    return MusicTrack(sampleRate, channels);
}

std::vector<float> MusicTrack::FileFrames(std::int64_t first, std::int64_t count) const {
    std::vector<float> out(static_cast<std::size_t>(count) * channels);
    const int sampleBytes = wave.bitsPerSample / 8;
    const bool isFloat = wave.formatTag == kWavFormatFloat;
    std::vector<unsigned char> bytes;
    for (std::int64_t done = 0; done < count;) {
        const std::int64_t at = (first + done) % fileFrames;
        const std::int64_t run = std::min(count - done, fileFrames - at);
        bytes.resize(static_cast<std::size_t>(run) * wave.blockAlign);
        file->clear();
        file->seekg(static_cast<std::streamoff>(wave.dataOffset + at * wave.blockAlign));
        file->read(reinterpret_cast<char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        if (!*file) throw ExportError(path + ": the samples cannot be read");
        float* to = out.data() + done * channels;
        for (std::size_t i = 0; i < static_cast<std::size_t>(run) * channels; ++i)
            to[i] = SampleValue(bytes.data() + i * sampleBytes, sampleBytes, isFloat);
        done += run;
    }
    return out;
}

std::vector<float> MusicTrack::Samples(std::int64_t begin, std::int64_t end) const {
    if (fileFrames == 0)
        return std::vector<float>(static_cast<std::size_t>(end - begin) * channels, 0.0f);
    const std::int64_t inputRate = wave.sampleRate;
    if (inputRate == outputRate) return FileFrames(begin, end - begin);

    // Linear interpolation between the two file frames around each output frame's time.
    const std::int64_t firstSource = begin * inputRate / outputRate;
    const std::int64_t lastSource = (end - 1) * inputRate / outputRate + 1;
    const std::vector<float> source = FileFrames(firstSource, lastSource - firstSource + 1);
    std::vector<float> out(static_cast<std::size_t>(end - begin) * channels);
    for (std::int64_t frame = begin; frame < end; ++frame) {
        const std::int64_t position = frame * inputRate;
        const std::int64_t index = position / outputRate - firstSource;
        const float weight =
            static_cast<float>(position % outputRate) / static_cast<float>(outputRate);
        for (int c = 0; c < channels; ++c) {
            const float a = source[static_cast<std::size_t>(index * channels + c)];
            const float b = source[static_cast<std::size_t>((index + 1) * channels + c)];
            out[static_cast<std::size_t>((frame - begin) * channels + c)] = a + (b - a) * weight;
        }
    }
    return out;
}
