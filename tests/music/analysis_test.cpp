#include <gtest/gtest.h>

#include <cmath>

#include "audio_analysis.h"

namespace lumenvale::music {
namespace {

TEST(Analysis, ASineHasItsTextbookLevelsAndItsFrequencyAsCentroid) {
    constexpr int kRate = 44100;
    constexpr double kPi = 3.14159265358979323846;
    std::vector<float> sine(kRate);
    for (std::size_t i = 0; i < sine.size(); ++i) {
        sine[i] = 0.5f * static_cast<float>(std::sin(2.0 * kPi * 1000.0 * i / kRate));
    }
    EXPECT_NEAR(RmsDbfs(sine, 0, sine.size()), -9.03, 0.02);
    EXPECT_NEAR(PeakDbfs(sine, 0, sine.size()), -6.02, 0.02);
    EXPECT_NEAR(SpectralCentroidHz(sine, 0, sine.size(), kRate), 1000.0, 15.0);

    const std::vector<float> silence(kRate, 0.0f);
    EXPECT_EQ(RmsDbfs(silence, 0, silence.size()), kSilenceDbfs);
    EXPECT_EQ(SpectralCentroidHz(silence, 0, silence.size(), kRate), 0.0);
    EXPECT_EQ(RmsDbfs(sine, 10, 10), kSilenceDbfs) << "an empty span is silent";
}

TEST(Analysis, TheMonoMixAveragesLeftAndRight) {
    const std::vector<float> mono = MonoMix({16384, 0, -32768, -32768});
    ASSERT_EQ(mono.size(), 2u);
    EXPECT_FLOAT_EQ(mono[0], 0.25f);
    EXPECT_FLOAT_EQ(mono[1], -1.0f);
}

}  // namespace
}  // namespace lumenvale::music
