// The MCI device on its own, against the real winmm: the modes it reports while a short track
// plays in real time, and winmm's own text for a file it cannot open.
#include <windows.h>
// mmsystem.h needs the Windows types above.
#include <gtest/gtest.h>
#include <mmsystem.h>

#include <chrono>
#include <iostream>
#include <thread>

#include "audio/music_backend.h"
#include "audio_test_support.h"
#include "sine_wav.h"
#include "support/temp_files.h"

namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

const char* Name(std::optional<MusicMode> mode) {
    if (!mode) return "no answer";
    switch (*mode) {
        case MusicMode::Playing:
            return "playing";
        case MusicMode::Stopped:
            return "stopped";
        default:
            return "other";
    }
}

// Polls until the device reports the end of the track; false after `limit` seconds.
bool WaitUntilStopped(const MusicBackend& backend, double limit) {
    const Clock::time_point start = Clock::now();
    while (backend.QueryMode() != MusicMode::Stopped) {
        if (SecondsSince(start) > limit) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

}  // namespace

TEST(MusicBackendMci, ATrackPlaysPausesResumesAndEndsInRealTime) {
    constexpr double kTrackSeconds = 1.0;
    constexpr double kPauseSeconds = 0.4;
    TempDir dir;
    const std::string path = dir.Write("track.wav", SineWav(kTrackSeconds));
    MusicBackend backend;
    std::string seen;  // the modes in the order the device reported them
    const auto see = [&](std::optional<MusicMode> mode) {
        seen += std::string(seen.empty() ? "" : " -> ") + Name(mode);
        return mode;
    };

    const MusicOpenResult opened = backend.Open(path);
    ASSERT_NE(opened.handle, 0u) << opened.errorText;
    EXPECT_EQ(opened.errorText, "");
    EXPECT_TRUE(AudioDeviceHeld());
    EXPECT_EQ(see(backend.QueryMode()), MusicMode::Stopped);

    const Clock::time_point start = Clock::now();
    ASSERT_TRUE(backend.PlayFromStart());
    EXPECT_EQ(see(backend.QueryMode()), MusicMode::Playing);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    ASSERT_TRUE(backend.Pause());
    EXPECT_EQ(see(backend.QueryMode()), MusicMode::Other);
    std::this_thread::sleep_for(std::chrono::duration<double>(kPauseSeconds));
    EXPECT_EQ(backend.QueryMode(), MusicMode::Other) << "a paused track stays paused";
    ASSERT_TRUE(backend.Resume());
    EXPECT_EQ(see(backend.QueryMode()), MusicMode::Playing);

    ASSERT_TRUE(WaitUntilStopped(backend, 10.0)) << "the track never ended";
    const double ended = SecondsSince(start);
    see(MusicMode::Stopped);
    // Real time, and the pause held: the device runs a little ahead of what is heard, never 4x.
    EXPECT_GT(ended, kTrackSeconds + kPauseSeconds - 0.6);
    EXPECT_LT(ended, kTrackSeconds + kPauseSeconds + 3.0);

    // Played from the start again, it lasts the whole track once more.
    const Clock::time_point again = Clock::now();
    ASSERT_TRUE(backend.PlayFromStart());
    EXPECT_EQ(see(backend.QueryMode()), MusicMode::Playing);
    ASSERT_TRUE(WaitUntilStopped(backend, 10.0));
    const double replayed = SecondsSince(again);
    see(MusicMode::Stopped);
    EXPECT_GT(replayed, kTrackSeconds - 0.6);

    ASSERT_TRUE(backend.PlayFromStart());
    ASSERT_TRUE(backend.Stop());
    EXPECT_EQ(see(backend.QueryMode()), MusicMode::Stopped);
    backend.Close();
    EXPECT_FALSE(AudioDeviceHeld());
    EXPECT_FALSE(backend.QueryMode().has_value());
    EXPECT_FALSE(backend.PlayFromStart() || backend.Pause() || backend.Resume() || backend.Stop());

    std::cout << "MCI modes: " << seen << "; ended after " << ended << " s (track " << kTrackSeconds
              << " s, paused " << kPauseSeconds << " s), replay " << replayed << " s" << std::endl;
}

TEST(MusicBackendMci, AFileThatCannotBeOpenedGivesWinmmsOwnText) {
    TempDir dir;
    const std::string missing = (dir.path() / "missing.wav").string();
    // What winmm says about the same open through its string interface.
    const MCIERROR error =
        mciSendStringA(("open \"" + missing + "\" type waveaudio").c_str(), nullptr, 0, nullptr);
    ASSERT_NE(error, 0u);
    char expected[256] = {};
    ASSERT_TRUE(mciGetErrorStringA(error, expected, sizeof expected));

    MusicBackend backend;
    const MusicOpenResult failed = backend.Open(missing);
    EXPECT_EQ(failed.handle, 0u);
    EXPECT_EQ(failed.errorText, expected);
    EXPECT_FALSE(failed.errorText.empty());
    EXPECT_LE(failed.errorText.size(), 255u);
    EXPECT_FALSE(backend.QueryMode().has_value());
    EXPECT_FALSE(AudioDeviceHeld());
}

TEST(MusicBackendMci, OpeningASecondTrackClosesTheFirst) {
    TempDir dir;
    MusicBackend backend;
    ASSERT_NE(backend.Open(dir.Write("first.wav", SineWav(0.2))).handle, 0u);
    ASSERT_TRUE(backend.PlayFromStart());
    ASSERT_NE(backend.Open(dir.Write("second.wav", SineWav(0.2))).handle, 0u);
    EXPECT_EQ(backend.QueryMode(), MusicMode::Stopped) << "the new track has not been started";
    backend.Close();
    EXPECT_FALSE(AudioDeviceHeld());
}
