// Checks the music file the generator wrote into resources/, against what the film needs of it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "audio_analysis.h"
#include "support/wave_file.h"

namespace lumenvale::music {
namespace {

constexpr const char* kMusicPath = "resources/audio/cin.wav";

// Read once; a missing or unreadable file fails each test with the reader's message.
const WaveContents& Wav() {
    static const WaveContents file = ReadWave(kMusicPath);
    return file;
}

std::size_t Frame(double seconds) {
    return static_cast<std::size_t>(seconds * Wav().header.sampleRate);
}

const std::vector<float>& Mono() {
    static const std::vector<float> mix = MonoMix(Wav().samples);
    return mix;
}

// Level of the mono mix over a span of the film, in dBFS.
double RmsBetween(double from, double to) {
    return RmsDbfs(Mono(), Frame(from), Frame(to));
}

TEST(GeneratedMusic, IsSixteenBitStereoPcmAt44100HzLastingTheWholeFilm) {
    EXPECT_EQ(Wav().header.formatTag, kWavFormatPcm);
    EXPECT_EQ(Wav().header.channels, 2);
    EXPECT_EQ(Wav().header.sampleRate, 44100u);
    EXPECT_EQ(Wav().header.bitsPerSample, 16);
    EXPECT_EQ(Wav().header.blockAlign, 4);
    EXPECT_EQ(Wav().byteRate, 44100u * 4u);
    EXPECT_GE(Wav().Seconds(), 130.0);
    EXPECT_LE(Wav().Seconds(), 135.0);
}

TEST(GeneratedMusic, PeaksJustBelowMinusOneDbfs) {
    const auto [low, high] = std::minmax_element(Wav().samples.begin(), Wav().samples.end());
    const int peak = std::max(std::abs(int{*low}), std::abs(int{*high}));
    const double peakDb = 20.0 * std::log10(peak / 32768.0);
    EXPECT_LE(peakDb, -1.0);
    EXPECT_GE(peakDb, -1.5) << "the file should be normalised, not left quiet";
}

TEST(GeneratedMusic, StartsAndEndsOnSilenceWithoutAJump) {
    const auto& samples = Wav().samples;
    const std::size_t edge = 2 * Frame(0.005);  // first and last 5 ms, both channels
    const std::size_t ramp = 2 * Frame(0.050);  // where a click would show as a sudden step
    for (std::size_t i = 0; i < edge; ++i) {
        ASSERT_LE(std::abs(samples[i]), 33) << "sample " << i << " is above -60 dBFS";
        ASSERT_LE(std::abs(samples[samples.size() - 1 - i]), 33) << "from the end: " << i;
    }
    for (std::size_t i = 2; i < ramp; ++i) {
        ASSERT_LE(std::abs(samples[i] - samples[i - 2]), 300) << "step at sample " << i;
        const std::size_t j = samples.size() - 1 - i;
        ASSERT_LE(std::abs(samples[j] - samples[j + 2]), 300) << "step near the end at " << j;
    }
}

TEST(GeneratedMusic, LoudnessFollowsTheDayAndTheNight) {
    const double nightOpening = RmsBetween(0.0, 10.0);
    const double noon = RmsBetween(40.0, 60.0);
    const double sunset = RmsBetween(60.0, 70.0);
    const double hush = RmsBetween(70.0, 75.0);
    const double flight = RmsBetween(85.0, 120.0);
    const double finalChord = RmsBetween(120.0, 126.0);

    for (double level : {nightOpening, hush, finalChord}) EXPECT_GT(level, -45.0) << "not heard";
    EXPECT_LT(nightOpening, noon - 8.0);
    EXPECT_LT(hush, sunset - 6.0);
    EXPECT_GT(flight, hush + 4.0);
    EXPECT_LT(RmsBetween(Wav().Seconds() - 2.0, Wav().Seconds()), -90.0);
    EXPECT_LT(RmsBetween(130.0, Wav().Seconds()), -80.0) << "decayed by the time the film stops";
}

TEST(GeneratedMusic, DaylightSoundsBrighterThanTheNightOpening) {
    const double night =
        SpectralCentroidHz(Mono(), Frame(0.0), Frame(10.0), Wav().header.sampleRate);
    const double noon =
        SpectralCentroidHz(Mono(), Frame(40.0), Frame(60.0), Wav().header.sampleRate);
    EXPECT_GT(noon, night * 1.2);
}

}  // namespace
}  // namespace lumenvale::music
