// Renders small scores through the real synthesizer and soundfont.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "audio_analysis.h"
#include "composition.h"
#include "film_music.h"
#include "fluid_renderer.h"
#include "mastering.h"

namespace lumenvale::music {
namespace {

constexpr int kOrganProgram = 16;  // sustains evenly and stops at once, so levels are easy to read

Score OrganScore(std::vector<Note> notes, double seconds) {
    Score score;
    score.beatsPerMinute = 60.0;  // one beat per second
    score.lengthSeconds = seconds;
    score.silentFromSeconds = seconds;
    score.parts.push_back(Part{"organ", 0, kOrganProgram, 64, 0, 0, 127, std::move(notes)});
    return score;
}

double RmsOf(const StereoBuffer& buffer, double from, double to) {
    const std::vector<float> mono = MonoMix(ToPcm16(buffer));
    return RmsDbfs(mono, static_cast<std::size_t>(from * buffer.sampleRate),
                   static_cast<std::size_t>(to * buffer.sampleRate));
}

TEST(Rendering, TheFilmMusicOpeningIsTheSameOnEveryRunAndNotSilent) {
    const Score score = ComposeFilmMusic();
    const auto first = ToPcm16(RenderScore(score, kSoundfontPath, 3.0));
    const auto second = ToPcm16(RenderScore(score, kSoundfontPath, 3.0));
    ASSERT_EQ(first.size(), 2u * 3u * 44100u);
    EXPECT_TRUE(first == second);
    EXPECT_GT(RmsDbfs(MonoMix(first), 44100, first.size() / 2), -70.0);
}

TEST(Rendering, NotesSoundFromTheirStartUntilTheirRelease) {
    const StereoBuffer buffer =
        RenderScore(OrganScore({Note{1.0, 1.0, 60, 100}}, 3.0), kSoundfontPath, 3.0);
    const double sounding = RmsOf(buffer, 1.2, 1.9);
    EXPECT_LT(RmsOf(buffer, 0.0, 0.95), -90.0);
    EXPECT_GT(sounding, -40.0);
    EXPECT_LT(RmsOf(buffer, 2.5, 3.0), sounding - 30.0) << "only a faint tail after the release";
}

TEST(Rendering, AKeyStruckAgainKeepsSoundingUntilItsLastNoteEnds) {
    // The second C starts while the first still sounds; the first's release must not cut it off.
    const StereoBuffer overlapping = RenderScore(
        OrganScore({Note{0.0, 1.0, 60, 100}, Note{0.5, 1.5, 60, 100}}, 3.0), kSoundfontPath, 3.0);
    const double sounding = RmsOf(overlapping, 1.3, 1.9);
    EXPECT_GT(sounding, -40.0);
    EXPECT_LT(RmsOf(overlapping, 2.5, 3.0), sounding - 30.0);
}

TEST(Rendering, TheLoudnessCurveSwellsAHeldNote) {
    Score score = OrganScore({Note{0.0, 4.0, 60, 100}}, 4.0);
    score.dynamics = {{0.0, 0.25}, {1.0, 0.25}, {3.0, 1.0}};
    const StereoBuffer buffer = RenderScore(score, kSoundfontPath, 4.0);
    EXPECT_GT(RmsOf(buffer, 3.2, 3.9), RmsOf(buffer, 0.3, 0.9) + 12.0);
}

TEST(Rendering, TheFinishedTrackIsNormalisedAndFadedAtBothEnds) {
    Score score = OrganScore({Note{0.0, 2.5, 60, 100}}, 3.0);
    score.silentFromSeconds = 2.0;
    const std::vector<std::int16_t> pcm = RenderFilmMusic(score, kSoundfontPath);
    const std::vector<float> mono = MonoMix(pcm);
    EXPECT_EQ(pcm.size(), 2u * 3u * 44100u);
    EXPECT_EQ(pcm[0], 0);
    EXPECT_EQ(pcm[1], 0);
    int peak = 0;
    for (std::int16_t sample : pcm) peak = std::max(peak, std::abs(int{sample}));
    EXPECT_NEAR(20.0 * std::log10(peak / 32767.0), kFilmPeakDbfs, 0.01);
    EXPECT_EQ(PeakDbfs(mono, 2 * 44100, mono.size()), kSilenceDbfs);
}

TEST(Rendering, AMissingSoundfontIsReported) {
    EXPECT_THROW(RenderScore(OrganScore({}, 1.0), "/nonexistent/soundfont.sf2", 1.0),
                 std::runtime_error);
}

}  // namespace
}  // namespace lumenvale::music
