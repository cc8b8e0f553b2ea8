// Loading music: replacing a track, files that cannot be played and a machine with no device.
#include <SDL.h>

#include <cstdlib>
#include <tuple>

#include "audio_test_support.h"
#include "sine_wav.h"

namespace {

const char* const kDeviceFailurePrefix = "AudioManager: Failed to open MCI device: ";

// One line made of the failure prefix and a non-empty reason.
void ExpectDeviceFailureLine(const std::string& out) {
    ASSERT_EQ(out.rfind(kDeviceFailurePrefix, 0), 0u) << out;
    const std::string reason = out.substr(std::string(kDeviceFailurePrefix).size());
    EXPECT_GT(reason.size(), 1u) << out;
    EXPECT_EQ(reason.find('\n'), reason.size() - 1) << out;
}

}  // namespace

TEST_F(AudioManagerTest, ConvertToWavIfNeededLeavesEveryPathAsItIs) {
    for (const std::string path : {"music/theme.mp3", "resources/audio/cin.wav", "noext", ""})
        EXPECT_EQ(audio.ConvertToWavIfNeeded(path), path);
}

TEST_F(AudioManagerTest, LoadingAnotherTrackStopsAndClosesTheFirstAndOpensANewDevice) {
    ASSERT_NO_FATAL_FAILURE(StartTrack());
    const std::string second = WriteTrack("second.wav");

    const ConsoleLines load = Console([&] { EXPECT_TRUE(audio.LoadMusic(second)); });
    EXPECT_EQ(load.out, "Music stopped\nMusic loaded successfully: " + second + "\n");
    EXPECT_EQ(audio.deviceId, 2u);
    EXPECT_EQ(audio.musicPath, second);
    EXPECT_EQ(FlagsOf(audio), (Flags{true, true, true, false, false, false}));

    EXPECT_EQ(Console([&] { audio.PlayMusic(); }).out, "Music playback started\n");
    EXPECT_TRUE(audio.IsMusicPlaying());
}

TEST_F(AudioManagerTest, LoadingWhilePausedKeepsThePauseSoPlayingResumesAndUpdateStartsTheTrack) {
    ASSERT_NO_FATAL_FAILURE(StartTrack());
    Console([&] { audio.PauseMusic(); });
    const std::string second = WriteTrack("second.wav");

    EXPECT_EQ(Console([&] { audio.LoadMusic(second); }).out,
              "Music loaded successfully: " + second + "\n");
    EXPECT_EQ(FlagsOf(audio), (Flags{true, true, true, false, true, false}));

    EXPECT_EQ(Console([&] { audio.PlayMusic(); }).out, "Music resumed from pause\n");
    EXPECT_TRUE(audio.isPlaying);
    // The new device had nothing to resume; the next frame's poll starts it from the beginning.
    EXPECT_EQ(Console([&] { audio.Update(); }).out, "");
    EXPECT_TRUE(audio.IsMusicPlaying());
}

TEST_F(AudioManagerTest, MissingFileIsReportedAfterTheOldTrackIsClosed) {
    ASSERT_NO_FATAL_FAILURE(StartTrack());
    const std::string missing = (dir.path() / "missing.wav").string();

    const ConsoleLines load = Console([&] { EXPECT_FALSE(audio.LoadMusic(missing)); });
    EXPECT_EQ(load.out, "Music stopped\n");
    EXPECT_EQ(load.err, "Failed to load audio file: " + missing + "\n");
    EXPECT_EQ(audio.musicPath, missing);
    EXPECT_EQ(audio.deviceId, 0u);
    EXPECT_EQ(FlagsOf(audio), (Flags{true, true, false, false, false, false}));
    EXPECT_EQ(Console([&] { audio.PlayMusic(); }).out, "") << "no device to play on";
    EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);
}

TEST_F(AudioManagerTest, FileThatIsNotWaveAudioFailsAtTheDeviceWithBothLines) {
    const std::string notes = dir.Write("notes.wav", "these are words, not samples\n");
    Console([&] { audio.Initialize(); });

    const ConsoleLines load = Console([&] { EXPECT_FALSE(audio.LoadMusic(notes)); });
    ExpectDeviceFailureLine(load.out);
    EXPECT_EQ(load.err, "Failed to open MCI device for: " + notes + "\n");
    EXPECT_EQ(FlagsOf(audio), (Flags{true, false, false, false, false, false}));
    EXPECT_EQ(audio.deviceId, 0u);
    EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);
}

TEST_F(AudioManagerTest, WithNoUsableAudioDeviceLoadingFailsCleanly) {
    const std::string path = WriteTrack("track.wav");
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    Console([&] { audio.Initialize(); });
    const ConsoleLines load = Console([&] { EXPECT_FALSE(audio.LoadMusic(path)); });
    setenv("SDL_AUDIODRIVER", "dummy", 1);

    ExpectDeviceFailureLine(load.out);
    EXPECT_EQ(load.err, "Failed to open MCI device for: " + path + "\n");
    EXPECT_FALSE(audio.deviceOpen);
    EXPECT_EQ(audio.deviceId, 0u);
    EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);
    EXPECT_EQ(Console([&] {
                  audio.PlayMusic();
                  audio.Update();
                  audio.Cleanup();
              }).out,
              "");
}

TEST_F(AudioManagerTest, WaveWithADamagedHeaderNeverReachesTheDevice) {
    std::string zeroChannels = SineWav(0.1);
    zeroChannels[22] = zeroChannels[23] = 0;
    std::string hugeData = SineWav(0.1);
    hugeData[40] = hugeData[41] = hugeData[42] = hugeData[43] = '\xFF';
    Console([&] { audio.Initialize(); });

    for (const auto& [name, bytes, reason] :
         {std::tuple{"zero.wav", zeroChannels, "the header gives 0 channels"},
          std::tuple{"huge.wav", hugeData, "the data chunk claims 4294967295 bytes"}}) {
        const std::string path = dir.Write(name, bytes);
        const ConsoleLines load = Console([&] { EXPECT_FALSE(audio.LoadMusic(path)); });
        EXPECT_EQ(load.out.rfind(
                      std::string(kDeviceFailurePrefix) + "not a playable wave file: " + reason, 0),
                  0u)
            << load.out;
        EXPECT_EQ(load.err, "Failed to open MCI device for: " + path + "\n");
        EXPECT_EQ(FlagsOf(audio), (Flags{true, false, false, false, false, false}));
        EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u) << "the device was never opened";
    }
}
