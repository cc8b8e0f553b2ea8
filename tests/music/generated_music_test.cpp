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
const WaveContents& wav() {
    static const WaveContents file = ReadWave(kMusicPath);
    return file;
}

std::size_t frame(double seconds) {
    return static_cast<std::size_t>(seconds * wav().header.sampleRate);
}

const std::vector<float>& mono() {
    static const std::vector<float> mix = mono_mix(wav().samples);
    return mix;
}

// Level of the mono mix over a span of the film, in dBFS.
double rms_between(double from, double to) {
    return rms_dbfs(mono(), frame(from), frame(to));
}

TEST(GeneratedMusic, IsSixteenBitStereoPcmAt44100HzLastingTheWholeFilm) {
    EXPECT_EQ(wav().header.formatTag, kWavFormatPcm);
    EXPECT_EQ(wav().header.channels, 2);
    EXPECT_EQ(wav().header.sampleRate, 44100u);
    EXPECT_EQ(wav().header.bitsPerSample, 16);
    EXPECT_EQ(wav().header.blockAlign, 4);
    EXPECT_EQ(wav().byteRate, 44100u * 4u);
    EXPECT_GE(wav().Seconds(), 130.0);
    EXPECT_LE(wav().Seconds(), 135.0);
}

TEST(GeneratedMusic, PeaksJustBelowMinusOneDbfs) {
    const auto [low, high] = std::minmax_element(wav().samples.begin(), wav().samples.end());
    const int peak = std::max(std::abs(int{*low}), std::abs(int{*high}));
    const double peak_db = 20.0 * std::log10(peak / 32768.0);
    EXPECT_LE(peak_db, -1.0);
    EXPECT_GE(peak_db, -1.5) << "the file should be normalised, not left quiet";
}

TEST(GeneratedMusic, StartsAndEndsOnSilenceWithoutAJump) {
    const auto& samples = wav().samples;
    const std::size_t edge = 2 * frame(0.005);  // first and last 5 ms, both channels
    const std::size_t ramp = 2 * frame(0.050);  // where a click would show as a sudden step
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
    const double night_opening = rms_between(0.0, 10.0);
    const double noon = rms_between(40.0, 60.0);
    const double sunset = rms_between(60.0, 70.0);
    const double hush = rms_between(70.0, 75.0);
    const double flight = rms_between(85.0, 120.0);
    const double final_chord = rms_between(120.0, 126.0);

    for (double level : {night_opening, hush, final_chord}) EXPECT_GT(level, -45.0) << "not heard";
    EXPECT_LT(night_opening, noon - 8.0);
    EXPECT_LT(hush, sunset - 6.0);
    EXPECT_GT(flight, hush + 4.0);
    EXPECT_LT(rms_between(wav().Seconds() - 2.0, wav().Seconds()), -90.0);
    EXPECT_LT(rms_between(130.0, wav().Seconds()), -80.0) << "decayed by the time the film stops";
}

TEST(GeneratedMusic, DaylightSoundsBrighterThanTheNightOpening) {
    const double night =
        spectral_centroid_hz(mono(), frame(0.0), frame(10.0), wav().header.sampleRate);
    const double noon =
        spectral_centroid_hz(mono(), frame(40.0), frame(60.0), wav().header.sampleRate);
    EXPECT_GT(noon, night * 1.2);
}

}  // namespace
}  // namespace lumenvale::music
