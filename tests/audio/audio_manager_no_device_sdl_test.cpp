// A machine where SDL finds no usable audio device.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "audio_test_support.h"

// No driver, or ALSA without the device asked for (which ALSA would report step by step on the
// process's standard error): the player's lines, one plain line, and nothing of the library's.
TEST_F(AudioManagerTest, WithNoUsableAudioDeviceLoadingFailsCleanly) {
    const std::string path = WriteTrack("track.wav");
    const std::string plain = "No sound device could be opened: the film plays without music\n";
    for (const char* driver : {"no-such-driver", "alsa"}) {
        setenv("SDL_AUDIODRIVER", driver, 1);
        setenv("AUDIODEV", "lumenvale-no-such-device", 1);
        Lines([&] { audio.Initialize(); });
        FILE* processErr = std::tmpfile();
        const int saved = dup(2);
        dup2(fileno(processErr), 2);
        const Printed load = Lines([&] { EXPECT_FALSE(audio.LoadMusic(path)); });
        dup2(saved, 2);
        close(saved);
        EXPECT_EQ(std::ftell(processErr), 0) << driver;
        std::fclose(processErr);
        setenv("SDL_AUDIODRIVER", "dummy", 1);

        ASSERT_GT(load.out.size(), plain.size());
        EXPECT_EQ(load.out.substr(load.out.size() - plain.size()), plain);
        ExpectDeviceFailureLine(load.out.substr(0, load.out.size() - plain.size()));
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
}
