#include "export/music_track.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "export/export_error.h"
#include "support/temp_files.h"

namespace {

void Append(std::string& bytes, std::uint32_t value, int byteCount) {
    for (int i = 0; i < byteCount; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// A PCM wave of the given raw sample bytes.
std::string Wave(int channels, int bits, const std::string& samples) {
    const int blockAlign = channels * bits / 8;
    std::string bytes = "RIFF";
    Append(bytes, 36 + static_cast<std::uint32_t>(samples.size()), 4);
    bytes += "WAVEfmt ";
    Append(bytes, 16, 4);
    Append(bytes, 1, 2);
    Append(bytes, channels, 2);
    Append(bytes, 8000, 4);
    Append(bytes, 8000 * blockAlign, 4);
    Append(bytes, blockAlign, 2);
    Append(bytes, bits, 2);
    bytes += "data";
    Append(bytes, static_cast<std::uint32_t>(samples.size()), 4);
    return bytes + samples;
}

}  // namespace

TEST(MusicTrack, ReadsEveryPcmSampleWidthAsValuesFromMinusOneToOne) {
    const TempDir dir;
    std::string s16, s8, s24;
    Append(s16, 0x8000, 2);  // most negative
    Append(s16, 0x4000, 2);  // half
    Append(s8, 0x00, 1);
    Append(s8, 0xC0, 1);  // 8-bit samples are unsigned around 128
    Append(s24, 0x800000, 3);
    Append(s24, 0x400000, 3);
    for (const auto& [bits, samples] : {std::pair{16, s16}, std::pair{8, s8}, std::pair{24, s24}}) {
        const MusicTrack track = MusicTrack::Load(
            dir.Write("m" + std::to_string(bits) + ".wav", Wave(1, bits, samples)));
        EXPECT_EQ(track.SampleRate(), 8000);
        EXPECT_EQ(track.Channels(), 1);
        EXPECT_EQ(track.Samples(0, 2), (std::vector<float>{-1.0f, 0.5f})) << bits;
    }
}

TEST(MusicTrack, StartsOverAtItsEndAndKeepsChannelsTogether) {
    const TempDir dir;
    std::string samples;
    for (int frame = 0; frame < 3; ++frame) {
        Append(samples, static_cast<std::uint32_t>(frame * 0x1000), 2);            // left
        Append(samples, static_cast<std::uint32_t>(-frame * 0x1000) & 0xFFFF, 2);  // right
    }
    const MusicTrack track = MusicTrack::Load(dir.Write("m.wav", Wave(2, 16, samples)));
    const float step = 0x1000 / 32768.0f;
    EXPECT_EQ(track.Samples(2, 5),
              (std::vector<float>{2 * step, -2 * step, 0.0f, 0.0f, step, -step}));
}

TEST(MusicTrack, AFileThatIsNotMusicIsNamedAndSilenceIsSilent) {
    const TempDir dir;
    const std::string path = dir.Write("noise.wav", "not a wave at all");
    try {
        MusicTrack::Load(path);
        FAIL() << "a broken file was read";
    } catch (const ExportError& error) {
        EXPECT_EQ(std::string(error.what()), path + ": not a RIFF/WAVE file");
    }
    const MusicTrack silence = MusicTrack::Silence(44100, 2);
    EXPECT_EQ(silence.Samples(10, 12), std::vector<float>(4, 0.0f));
}
