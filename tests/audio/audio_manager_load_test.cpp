// Loading music: replacing a track and files that cannot be played.
#include <tuple>

#include "audio_test_support.h"
#include "sine_wav.h"

TEST_F(AudioManagerTest, ConvertToWavIfNeededLeavesEveryPathAsItIs) {
    for (const std::string path : {"music/theme.mp3", "resources/audio/cin.wav", "noext", ""})
        EXPECT_EQ(audio.ConvertToWavIfNeeded(path), path);
}

TEST_F(AudioManagerTest, LoadingAnotherTrackStopsAndClosesTheFirstAndOpensANewDevice) {
    ASSERT_NO_FATAL_FAILURE(StartTrack());
    const std::string second = WriteTrack("second.wav");

    const Printed load = Lines([&] { EXPECT_TRUE(audio.LoadMusic(second)); });
    EXPECT_EQ(load.out, "Music stopped\nMusic loaded successfully: " + second + "\n");
    EXPECT_NE(audio.deviceId, 0u);
    EXPECT_EQ(audio.musicPath, second);
    EXPECT_EQ(FlagsOf(audio), (Flags{true, true, true, false, false, false}));

    EXPECT_EQ(Lines([&] { audio.PlayMusic(); }).out, "Music playback started\n");
    EXPECT_TRUE(audio.IsMusicPlaying());
}

TEST_F(AudioManagerTest, LoadingWhilePausedKeepsThePauseSoPlayingSendsAResumeToTheNewTrack) {
    ASSERT_NO_FATAL_FAILURE(StartTrack());
    Lines([&] { audio.PauseMusic(); });
    const std::string second = WriteTrack("second.wav");

    EXPECT_EQ(Lines([&] { audio.LoadMusic(second); }).out,
              "Music loaded successfully: " + second + "\n");
    EXPECT_EQ(FlagsOf(audio), (Flags{true, true, true, false, true, false}));

    const std::string resume = Lines([&] { audio.PlayMusic(); }).out;
    if (kDeviceResumesAnUnstartedTrack) {
        EXPECT_EQ(resume, "Music resumed from pause\n");
        EXPECT_TRUE(audio.isPlaying);
        // The new track had nothing to resume; the next frame's poll starts it from the beginning.
        EXPECT_EQ(Lines([&] { audio.Update(); }).out, "");
        EXPECT_TRUE(audio.IsMusicPlaying());
    } else {
        EXPECT_EQ(resume, "AudioManager: Failed to resume music\n");
        EXPECT_EQ(FlagsOf(audio), (Flags{true, true, true, false, true, false}));
        EXPECT_FALSE(audio.IsMusicPlaying());
    }
}

TEST_F(AudioManagerTest, MissingFileIsReportedAfterTheOldTrackIsClosed) {
    ASSERT_NO_FATAL_FAILURE(StartTrack());
    const std::string missing = (dir.path() / "missing.wav").string();

    const Printed load = Lines([&] { EXPECT_FALSE(audio.LoadMusic(missing)); });
    EXPECT_EQ(load.out, "Music stopped\n");
    EXPECT_EQ(load.err, "Failed to load audio file: " + missing + "\n");
    EXPECT_EQ(audio.musicPath, missing);
    EXPECT_EQ(audio.deviceId, 0u);
    EXPECT_EQ(FlagsOf(audio), (Flags{true, true, false, false, false, false}));
    EXPECT_EQ(Lines([&] { audio.PlayMusic(); }).out, "") << "no device to play on";
    EXPECT_FALSE(AudioDeviceHeld());
}

TEST_F(AudioManagerTest, FileThatIsNotWaveAudioFailsAtTheDeviceWithBothLines) {
    const std::string notes = dir.Write("notes.wav", "these are words, not samples\n");
    Lines([&] { audio.Initialize(); });

    const Printed load = Lines([&] { EXPECT_FALSE(audio.LoadMusic(notes)); });
    ExpectDeviceFailureLine(load.out);
    EXPECT_EQ(load.err, "Failed to open MCI device for: " + notes + "\n");
    EXPECT_EQ(FlagsOf(audio), (Flags{true, false, false, false, false, false}));
    EXPECT_EQ(audio.deviceId, 0u);
    EXPECT_FALSE(AudioDeviceHeld());
}

TEST_F(AudioManagerTest, WaveWithADamagedHeaderNeverReachesTheDevice) {
    std::string zeroChannels = SineWav(0.1);
    zeroChannels[22] = zeroChannels[23] = 0;
    std::string hugeData = SineWav(0.1);
    hugeData[40] = '\xF0';
    hugeData[41] = hugeData[42] = hugeData[43] = '\xFF';
    Lines([&] { audio.Initialize(); });

    for (const auto& [name, bytes, reason] :
         {std::tuple{"zero.wav", zeroChannels, "the header gives 0 channels"},
          std::tuple{"huge.wav", hugeData, "the data chunk claims 4294967280 bytes"}}) {
        const std::string path = dir.Write(name, bytes);
        const Printed load = Lines([&] { EXPECT_FALSE(audio.LoadMusic(path)); });
        EXPECT_EQ(load.out.rfind(kDeviceFailurePrefix + "not a playable wave file: " + reason, 0),
                  0u)
            << load.out;
        EXPECT_EQ(load.err, "Failed to open MCI device for: " + path + "\n");
        EXPECT_EQ(FlagsOf(audio), (Flags{true, false, false, false, false, false}));
        EXPECT_FALSE(AudioDeviceHeld()) << "the device was never opened";
    }
}
