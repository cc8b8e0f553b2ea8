// A machine where SDL finds no usable audio device.
#include <cstdlib>

#include "audio_test_support.h"

TEST_F(AudioManagerTest, WithNoUsableAudioDeviceLoadingFailsCleanly) {
    const std::string path = WriteTrack("track.wav");
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    Lines([&] { audio.Initialize(); });
    const Printed load = Lines([&] { EXPECT_FALSE(audio.LoadMusic(path)); });
    setenv("SDL_AUDIODRIVER", "dummy", 1);

    ExpectDeviceFailureLine(load.out);
    EXPECT_EQ(load.err, "Failed to open MCI device for: " + path + "\n");
    EXPECT_FALSE(audio.deviceOpen);
    EXPECT_EQ(audio.deviceId, 0u);
    EXPECT_FALSE(AudioDeviceHeld());
    EXPECT_EQ(Lines([&] {
                  audio.PlayMusic();
                  audio.Update();
                  audio.Cleanup();
              }).out,
              "");
}
