#include "mastering.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "support/wave_file.h"
#include "wav_writer.h"

namespace lumenvale::music {
namespace {

StereoBuffer ConstantBuffer(std::size_t frames, float left, float right) {
    StereoBuffer buffer;
    buffer.sampleRate = 1000;
    buffer.left.assign(frames, left);
    buffer.right.assign(frames, right);
    return buffer;
}

TEST(Mastering, NormalisingPutsTheLoudestSampleOfEitherChannelAtTheTarget) {
    StereoBuffer buffer = ConstantBuffer(10, 0.1f, -0.2f);
    buffer.left[3] = 0.4f;
    NormalisePeak(buffer, -6.0);
    const double target = std::pow(10.0, -6.0 / 20.0);
    EXPECT_NEAR(buffer.left[3], target, 1e-6);
    EXPECT_NEAR(buffer.right[0], -target / 2.0, 1e-6);

    StereoBuffer silence = ConstantBuffer(10, 0.0f, 0.0f);
    NormalisePeak(silence, -1.0);
    EXPECT_EQ(silence.left, std::vector<float>(10, 0.0f));
}

TEST(Mastering, FadesStartFromAndEndOnSilenceAndLeaveTheRestAlone) {
    StereoBuffer buffer = ConstantBuffer(1000, 1.0f, -1.0f);
    FadeIn(buffer, 0.1);        // frames 0..99
    FadeOut(buffer, 0.7, 0.9);  // frames 700..899, silent after
    EXPECT_EQ(buffer.left[0], 0.0f);
    EXPECT_EQ(buffer.right[0], 0.0f);
    EXPECT_NEAR(buffer.left[50], 0.5f, 1e-6);
    EXPECT_FLOAT_EQ(buffer.left[100], 1.0f);
    EXPECT_FLOAT_EQ(buffer.right[700], -1.0f);
    EXPECT_NEAR(buffer.left[800], 0.5f, 1e-6);
    for (std::size_t i = 1; i < 1000; ++i) {
        ASSERT_LE(std::fabs(buffer.left[i] - buffer.left[i - 1]), 0.02f) << "jump at " << i;
    }
    for (std::size_t i = 900; i < 1000; ++i) ASSERT_EQ(buffer.right[i], 0.0f);
}

TEST(Mastering, DcRemovalCentresAnOffsetSignal) {
    StereoBuffer buffer = ConstantBuffer(44100, 0.0f, 0.0f);
    buffer.sampleRate = 44100;
    for (std::size_t i = 0; i < buffer.Frames(); ++i) {
        buffer.left[i] = 0.2f + 0.5f * static_cast<float>(std::sin(0.1 * static_cast<double>(i)));
    }
    RemoveDc(buffer);
    double mean = 0.0;
    for (std::size_t i = buffer.Frames() / 2; i < buffer.Frames(); ++i) mean += buffer.left[i];
    EXPECT_NEAR(mean / static_cast<double>(buffer.Frames() / 2), 0.0, 1e-3);
}

TEST(Mastering, SixteenBitConversionRoundsAndClampsEachChannelInTurn) {
    StereoBuffer buffer = ConstantBuffer(3, 0.0f, 0.0f);
    buffer.left = {0.5f, 1.5f, -0.25f};
    buffer.right = {-0.5f, -1.5f, 2.0f / 32767.0f};
    const std::vector<std::int16_t> expected{16384, -16384, 32767, -32767, -8192, 2};
    EXPECT_EQ(ToPcm16(buffer), expected);
}

TEST(Mastering, TheWrittenFileReadsBackWithItsHeaderAndSamples) {
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / "lumenvale_music_roundtrip.wav";
    const std::vector<std::int16_t> samples{0, -1, 32767, -32768, 1234, -4321};
    WriteWavPcm16(path.string(), 22050, 2, samples);
    const WaveContents wav = ReadWave(path.string());
    EXPECT_EQ(wav.riffSize + 8, std::filesystem::file_size(path));
    std::filesystem::remove(path);
    EXPECT_EQ(wav.header.formatTag, kWavFormatPcm);
    EXPECT_EQ(wav.header.channels, 2);
    EXPECT_EQ(wav.header.sampleRate, 22050u);
    EXPECT_EQ(wav.header.bitsPerSample, 16);
    EXPECT_EQ(wav.header.blockAlign, 4);
    EXPECT_EQ(wav.byteRate, 22050u * 4u);
    EXPECT_EQ(wav.samples, samples);
    EXPECT_THROW(WriteWavPcm16("/nonexistent/dir/x.wav", 44100, 2, samples), std::runtime_error);
}

}  // namespace
}  // namespace lumenvale::music
