#include "audio_test_support.h"

#include <chrono>
#include <thread>
#include <tuple>

#include "sine_wav.h"

void ExpectDeviceFailureLine(const std::string& out) {
    ASSERT_EQ(out.rfind(kDeviceFailurePrefix, 0), 0u) << out;
    const std::string reason = out.substr(kDeviceFailurePrefix.size());
    EXPECT_GT(reason.size(), 1u) << out;
    EXPECT_EQ(reason.find('\n'), reason.size() - 1) << out;
}

std::string AudioManagerTest::WriteTrack(const std::string& name, double seconds) const {
    return dir.Write(name, SineWav(seconds));
}

void AudioManagerTest::LoadTrack(double seconds) {
    const std::string path = WriteTrack("track.wav", seconds);
    Lines([&] {
        audio.Initialize();
        ASSERT_TRUE(audio.LoadMusic(path));
    });
}

void AudioManagerTest::StartTrack(double seconds) {
    LoadTrack(seconds);
    Lines([&] { audio.PlayMusic(); });
    ASSERT_TRUE(audio.IsMusicPlaying());
}

bool AudioManagerTest::WaitForTrackEnd() const {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (audio.IsMusicPlaying()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

bool Flags::operator==(const Flags& other) const {
    return std::tie(initialized, musicLoaded, deviceOpen, isPlaying, isPaused, muted) ==
           std::tie(other.initialized, other.musicLoaded, other.deviceOpen, other.isPlaying,
                    other.isPaused, other.muted);
}

Flags FlagsOf(const AudioManager& audio) {
    return {audio.initialized, audio.musicLoaded, audio.deviceOpen,
            audio.isPlaying,   audio.isPaused,    audio.muted};
}

void PrintTo(const Flags& flags, std::ostream* os) {
    *os << "{initialized " << flags.initialized << ", musicLoaded " << flags.musicLoaded
        << ", deviceOpen " << flags.deviceOpen << ", isPlaying " << flags.isPlaying << ", isPaused "
        << flags.isPaused << ", muted " << flags.muted << "}";
}
