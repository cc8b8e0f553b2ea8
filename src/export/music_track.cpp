#include "export/music_track.h"

#include <fstream>

#include "audio/wav_header.h"
#include "export/export_error.h"

namespace {

// One PCM sample of `bytes` bytes, little-endian: 8-bit samples are unsigned, wider ones signed.
float SampleValue(const unsigned char* p, int bytes) {
    if (bytes == 1) return (static_cast<int>(p[0]) - 128) / 128.0f;
    std::uint32_t bits = 0;
    for (int i = 0; i < bytes; ++i) bits |= static_cast<std::uint32_t>(p[i]) << (8 * i);
    bits <<= 8 * (4 - bytes);  // the sign bit to the top
    return static_cast<float>(static_cast<std::int32_t>(bits) / 2147483648.0);
}

}  // namespace

MusicTrack::MusicTrack(int sampleRate, int channels, std::vector<float> samples)
    : sampleRate(sampleRate), channels(channels), samples(std::move(samples)) {}

MusicTrack MusicTrack::Load(const std::string& path) {
    const WavHeaderResult result = ReadWavHeader(path);
    if (!result.header) throw ExportError(path + ": " + result.error);
    const WavHeader& header = *result.header;
    std::ifstream in(path, std::ios::binary);
    std::vector<unsigned char> bytes(header.dataSize);
    in.seekg(static_cast<std::streamoff>(header.dataOffset));
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!in) throw ExportError(path + ": the samples cannot be read");

    const int sampleBytes = header.bitsPerSample / 8;
    std::vector<float> samples(bytes.size() / sampleBytes);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        samples[i] = SampleValue(bytes.data() + i * sampleBytes, sampleBytes);
    }
    return MusicTrack(static_cast<int>(header.sampleRate), header.channels, std::move(samples));
}

MusicTrack MusicTrack::Silence(int sampleRate, int channels) {
    return MusicTrack(sampleRate, channels, {});
}

std::vector<float> MusicTrack::Samples(std::int64_t begin, std::int64_t end) const {
    std::vector<float> out(static_cast<std::size_t>(end - begin) * channels, 0.0f);
    const std::int64_t length = static_cast<std::int64_t>(samples.size()) / channels;
    if (length == 0) return out;
    for (std::int64_t frame = begin; frame < end; ++frame) {
        const std::int64_t from = (frame % length) * channels;
        for (int channel = 0; channel < channels; ++channel) {
            out[(frame - begin) * channels + channel] = samples[from + channel];
        }
    }
    return out;
}
