#include "export/music_track.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>

#include "export/export_error.h"
#include "support/temp_files.h"
#include "support/wave_file.h"

namespace {

// `samples` as the data of a wave at 8 kHz, or `rate`: integers (tag 1) or floats (tag 3).
std::string Wave(std::uint16_t channels, std::uint16_t bits, const std::string& samples,
                 std::uint16_t tag = kWavFormatPcm, std::uint32_t rate = 8000) {
    return WaveBytes({tag, channels, rate, bits}, samples);
}

}  // namespace

TEST(MusicTrack, ReadsEveryPcmSampleWidthAsValuesFromMinusOneToOne) {
    const TempDir dir;
    const std::string s16 = LittleEndian({0x8000, 0x4000}, 2);  // most negative, half
    const std::string s8 = LittleEndian({0x00, 0xC0}, 1);  // 8-bit samples are unsigned around 128
    const std::string s24 = LittleEndian({0x800000, 0x400000}, 3);
    for (const auto& [bits, samples] : {std::pair{16, s16}, std::pair{8, s8}, std::pair{24, s24}}) {
        const MusicTrack track = MusicTrack::Load(
            dir.Write("m" + std::to_string(bits) + ".wav", Wave(1, bits, samples)));
        EXPECT_EQ(track.SampleRate(), 8000);
        EXPECT_EQ(track.Channels(), 1);
        EXPECT_EQ(track.Samples(0, 2), (std::vector<float>{-1.0f, 0.5f})) << bits;
    }
}

TEST(MusicTrack, FloatsAreClampedAndRatesTheEncoderRefusesAreResampled) {
    const TempDir dir;
    std::string f32;
    for (const float value : {-2.0f, 0.25f, std::nanf("")}) {
        std::uint32_t bits;
        std::memcpy(&bits, &value, 4);
        f32 += LittleEndian({bits}, 4);
    }
    const MusicTrack floats = MusicTrack::Load(dir.Write("f.wav", Wave(1, 32, f32, 3)));
    EXPECT_EQ(floats.Samples(0, 3), (std::vector<float>{-1.0f, 0.25f, 0.0f}));

    // 7 kHz becomes the encoder's 7350 Hz: output frame 21 falls on input frame 20 exactly, and
    // frame 1 between input frames 0 and 1.
    std::string ramp;
    for (int i = 0; i < 100; ++i) ramp += LittleEndian({i * 256}, 2);
    const MusicTrack slow = MusicTrack::Load(dir.Write("s.wav", Wave(1, 16, ramp, 1, 7000)));
    EXPECT_EQ(slow.SampleRate(), 7350);
    EXPECT_FLOAT_EQ(slow.Samples(21, 22)[0], 20 * 256 / 32768.0f);
    EXPECT_FLOAT_EQ(slow.Samples(1, 2)[0], 256 / 32768.0f * 7000 / 7350);

    for (const auto& [rate, encoded] : {std::pair{192000, 96000}, std::pair{44100, 44100},
                                        std::pair{1000, 7350}, std::pair{50000, 64000}})
        EXPECT_EQ(EncoderSampleRate(rate), encoded) << rate;
}

TEST(MusicTrack, StartsOverAtItsEndAndKeepsChannelsTogether) {
    const TempDir dir;
    std::string samples;
    for (int frame = 0; frame < 3; ++frame) {
        samples += LittleEndian({frame * 0x1000, -frame * 0x1000}, 2);  // left, right
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
