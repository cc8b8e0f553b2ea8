// The end of a short track as the once-per-frame poll sees it.
#include "audio_test_support.h"

TEST_F(AudioManagerTest, EndOfTrackIsRestartedSilentlyByTheNextUpdate) {
    ASSERT_NO_FATAL_FAILURE(StartTrack());
    EXPECT_EQ(Lines([&] { audio.Update(); }).out, "");
    EXPECT_TRUE(audio.IsMusicPlaying()) << "an Update before the end changes nothing";

    ASSERT_TRUE(WaitForTrackEnd());
    // Ended on the device, and not yet seen by the manager.
    EXPECT_TRUE(audio.isPlaying);
    EXPECT_FALSE(audio.IsMusicPlaying());

    const Printed lines = Lines([&] { audio.Update(); });
    EXPECT_EQ(lines.out + lines.err, "");
    EXPECT_EQ(FlagsOf(audio), (Flags{true, true, true, true, false, false}));
    EXPECT_TRUE(audio.IsMusicPlaying());
}

TEST_F(AudioManagerTest, EndOfTrackWhileMutedLeavesItStopped) {
    ASSERT_NO_FATAL_FAILURE(StartTrack());
    audio.muted = true;  // as when the device would not pause for the mute
    ASSERT_TRUE(audio.isPlaying);
    ASSERT_TRUE(WaitForTrackEnd());

    const Printed lines = Lines([&] {
        audio.Update();
        audio.Update();
    });
    EXPECT_EQ(lines.out + lines.err, "");
    EXPECT_EQ(FlagsOf(audio), (Flags{true, true, true, false, false, true}));
    EXPECT_FALSE(audio.IsMusicPlaying());
}
