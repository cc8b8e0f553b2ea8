// The manager's lines and flags through whole sessions, and the operations that must do nothing.
#include <cmath>

#include "audio_test_support.h"

TEST_F(AudioManagerTest, SessionPrintsEachStepAndReleasesTheDeviceAtCleanup) {
    // Printed exactly as given, not normalised.
    const std::string path = (dir.path() / "." / "session.wav").string();
    WriteTrack("session.wav");

    EXPECT_EQ(Lines([&] { EXPECT_TRUE(audio.Initialize()); }).out,
              "AudioManager initialized successfully with Windows MCI audio\n");
    const Printed load = Lines([&] { EXPECT_TRUE(audio.LoadMusic(path)); });
    EXPECT_EQ(load.out, "Music loaded successfully: " + path + "\n");
    EXPECT_EQ(load.err, "");
    EXPECT_EQ(audio.musicPath, path);
    EXPECT_EQ(audio.deviceId, 1u);
    EXPECT_EQ(FlagsOf(audio), (Flags{true, true, true, false, false, false}));
    EXPECT_FALSE(audio.IsMusicPlaying());

    EXPECT_EQ(Lines([&] { audio.PlayMusic(); }).out, "Music playback started\n");
    EXPECT_EQ(FlagsOf(audio), (Flags{true, true, true, true, false, false}));
    EXPECT_TRUE(audio.IsMusicPlaying());

    EXPECT_EQ(Lines([&] { audio.PauseMusic(); }).out, "Music paused\n");
    EXPECT_EQ(FlagsOf(audio), (Flags{true, true, true, false, true, false}));
    EXPECT_FALSE(audio.IsMusicPlaying());

    EXPECT_EQ(Lines([&] { audio.ResumeMusic(); }).out, "Music resumed from pause\n");
    EXPECT_EQ(FlagsOf(audio), (Flags{true, true, true, true, false, false}));
    EXPECT_TRUE(audio.IsMusicPlaying());

    EXPECT_EQ(Lines([&] { audio.StopMusic(); }).out, "Music stopped\n");
    EXPECT_EQ(FlagsOf(audio), (Flags{true, true, true, false, false, false}));
    EXPECT_FALSE(audio.IsMusicPlaying());

    EXPECT_EQ(Lines([&] { audio.PlayMusic(); }).out, "Music playback started\n");
    EXPECT_EQ(Lines([&] { audio.Cleanup(); }).out, "Music stopped\n");
    EXPECT_EQ(FlagsOf(audio), (Flags{false, false, false, false, false, false}));
    EXPECT_EQ(audio.deviceId, 0u);
    EXPECT_EQ(audio.musicPath, path);
    EXPECT_FALSE(AudioDeviceHeld());
}

TEST_F(AudioManagerTest, OutsideInitializeAndCleanupOnlyLoadMusicSpeaks) {
    const std::string path = WriteTrack("early.wav");
    const auto everyOtherOperation = [&] {
        audio.PlayMusic();
        audio.PauseMusic();
        audio.ResumeMusic();
        audio.StopMusic();
        audio.SetMuted(true);
        audio.SetMusicVolume(0.5f);
        audio.Update();
        audio.Cleanup();
    };

    const Printed before = Lines([&] {
        everyOtherOperation();
        EXPECT_FALSE(audio.IsMusicPlaying());
        EXPECT_FALSE(audio.LoadMusic(path));
    });
    EXPECT_EQ(before.out, "");
    EXPECT_EQ(before.err, "AudioManager not initialized\n");
    EXPECT_EQ(FlagsOf(audio), (Flags{false, false, false, false, false, false}));
    EXPECT_EQ(audio.volume, 1.0f);
    EXPECT_EQ(audio.musicPath, "");

    ASSERT_NO_FATAL_FAILURE(LoadTrack());
    Lines([&] { audio.Cleanup(); });
    const Printed after = Lines(everyOtherOperation);
    EXPECT_EQ(after.out, "");
    EXPECT_EQ(FlagsOf(audio), (Flags{false, false, false, false, false, false}));
    EXPECT_FALSE(audio.IsMusicPlaying());
}

TEST_F(AudioManagerTest, CommandsThatDoNotFitThePlaybackStateDoNothing) {
    Lines([&] { audio.Initialize(); });
    EXPECT_EQ(Lines([&] { audio.PlayMusic(); }).out, "") << "nothing loaded yet";
    EXPECT_FALSE(audio.isPlaying);

    ASSERT_NO_FATAL_FAILURE(LoadTrack());
    const Flags loaded = FlagsOf(audio);
    EXPECT_EQ(Lines([&] {
                  audio.PauseMusic();
                  audio.StopMusic();
                  audio.ResumeMusic();
              }).out,
              "");
    EXPECT_EQ(FlagsOf(audio), loaded);
    EXPECT_FALSE(audio.IsMusicPlaying());

    Lines([&] { audio.PlayMusic(); });
    const Flags playing = FlagsOf(audio);
    EXPECT_EQ(Lines([&] { audio.ResumeMusic(); }).out, "");
    EXPECT_EQ(FlagsOf(audio), playing);

    Lines([&] { audio.PauseMusic(); });
    const Flags paused = FlagsOf(audio);
    EXPECT_EQ(Lines([&] { audio.PauseMusic(); }).out, "");
    EXPECT_EQ(FlagsOf(audio), paused);
    // Still paused on the device, so still resumable.
    EXPECT_EQ(Lines([&] { audio.ResumeMusic(); }).out, "Music resumed from pause\n");
}

TEST_F(AudioManagerTest, StoppingAPausedTrackMakesTheNextPlayStartFromTheBeginning) {
    ASSERT_NO_FATAL_FAILURE(StartTrack());
    Lines([&] { audio.PauseMusic(); });
    EXPECT_EQ(Lines([&] { audio.StopMusic(); }).out, "Music stopped\n");
    EXPECT_EQ(FlagsOf(audio), (Flags{true, true, true, false, false, false}));
    EXPECT_EQ(Lines([&] { audio.ResumeMusic(); }).out, "") << "nothing left to resume";
    EXPECT_EQ(Lines([&] { audio.PlayMusic(); }).out, "Music playback started\n");
}

TEST_F(AudioManagerTest, WhileMutedNothingSoundsAndTheUnmutePlaysWhatWasAskedFor) {
    ASSERT_NO_FATAL_FAILURE(LoadTrack(10.0));
    Lines([&] { audio.SetMuted(true); });
    EXPECT_EQ(Lines([&] {
                  audio.PlayMusic();
                  audio.ResumeMusic();
                  audio.PlayMusic();
              }).out,
              "");
    EXPECT_FALSE(audio.IsMusicPlaying());
    EXPECT_EQ(FlagsOf(audio), (Flags{true, true, true, false, true, true}));
    EXPECT_EQ(Lines([&] { audio.SetMuted(false); }).out, "Music playback started\nMusic unmuted\n");
    EXPECT_TRUE(audio.IsMusicPlaying());

    // A track paused by the mute resumes only with the unmute.
    Lines([&] { audio.SetMuted(true); });
    EXPECT_EQ(Lines([&] { audio.ResumeMusic(); }).out, "");
    EXPECT_FALSE(audio.IsMusicPlaying());
    EXPECT_EQ(Lines([&] { audio.SetMuted(false); }).out,
              "Music resumed from pause\nMusic unmuted\n");
    EXPECT_TRUE(audio.IsMusicPlaying());

    // A start that waited for the unmute is called off by a stop.
    Lines([&] {
        audio.StopMusic();
        audio.SetMuted(true);
        audio.PlayMusic();
    });
    EXPECT_EQ(Lines([&] { audio.StopMusic(); }).out, "Music stopped\n");
    EXPECT_EQ(Lines([&] { audio.SetMuted(false); }).out, "Music unmuted\n");
    EXPECT_FALSE(audio.IsMusicPlaying());
}

TEST_F(AudioManagerTest, MutingPausesAPlayingTrackAndUnmutingResumesIt) {
    ASSERT_NO_FATAL_FAILURE(StartTrack(1.0));
    Lines([&] { audio.SetMusicVolume(0.4f); });

    EXPECT_EQ(Lines([&] { audio.SetMuted(true); }).out, "Music paused\nMusic muted\n");
    EXPECT_EQ(FlagsOf(audio), (Flags{true, true, true, false, true, true}));
    EXPECT_EQ(audio.savedVolume, 0.4f);
    EXPECT_FALSE(audio.IsMusicPlaying());
    EXPECT_EQ(Lines([&] { audio.SetMuted(true); }).out, "");

    Lines([&] { audio.SetMusicVolume(0.8f); });
    EXPECT_EQ(Lines([&] { audio.SetMuted(false); }).out,
              "Music resumed from pause\nMusic unmuted\n");
    EXPECT_EQ(FlagsOf(audio), (Flags{true, true, true, true, false, false}));
    EXPECT_TRUE(audio.IsMusicPlaying());
    EXPECT_EQ(audio.volume, 0.8f) << "the saved level is not brought back";

    // Unmuted where a film longer than the track stands: played from within its loop.
    Lines([&] { audio.SetMuted(true); });
    EXPECT_EQ(Lines([&] {
                  audio.SeekMusic(9.2);
                  audio.SetMuted(false);
                  audio.SeekMusic(13.1);
              }).out,
              "Music resumed from pause\nMusic unmuted\n");
    EXPECT_TRUE(audio.IsMusicPlaying());
}

TEST_F(AudioManagerTest, MutingAStoppedTrackNeitherPausesNorLaterStartsIt) {
    ASSERT_NO_FATAL_FAILURE(LoadTrack());
    EXPECT_EQ(Lines([&] { audio.SetMuted(true); }).out, "Music muted\n");
    EXPECT_EQ(FlagsOf(audio), (Flags{true, true, true, false, false, true}));
    EXPECT_EQ(Lines([&] { audio.SetMuted(false); }).out, "Music unmuted\n");
    EXPECT_EQ(FlagsOf(audio), (Flags{true, true, true, false, false, false}));
    EXPECT_FALSE(audio.IsMusicPlaying());
}

TEST_F(AudioManagerTest, VolumeIsClampedToZeroToOneAndANonNumberCountsAsFull) {
    Lines([&] { audio.Initialize(); });
    const Printed lines = Lines([&] {
        audio.SetMusicVolume(2.0f);
        EXPECT_EQ(audio.volume, 1.0f);
        audio.SetMusicVolume(-0.5f);
        EXPECT_EQ(audio.volume, 0.0f);
        audio.SetMusicVolume(0.25f);
        EXPECT_EQ(audio.volume, 0.25f);
        audio.SetMusicVolume(std::nanf(""));
        EXPECT_EQ(audio.volume, 1.0f);
    });
    EXPECT_EQ(lines.out + lines.err, "");
}
