#pragma once

#include <gtest/gtest.h>

#include <string>

#include "audio/audio_manager.h"
#include "support/console_lines.h"
#include "support/temp_files.h"

// The lines a piece of code wrote on the console's two streams.
struct Printed {
    std::string out;
    std::string err;
};

// Whether the process still holds the platform's audio device: SDL's audio subsystem, or an open
// MCI device. Defined next to the platform's test set-up (audio_device_sdl.cpp,
// audio_device_mci.cpp).
bool AudioDeviceHeld();
// Whether the device accepts a resume for a track it has never started: SDL_mixer does (and
// plays nothing), MCI refuses it.
extern const bool kDeviceResumesAnUnstartedTrack;

// The line the manager prints when the device cannot open a file: the failure prefix and a
// non-empty reason, nothing more.
inline const std::string kDeviceFailurePrefix = "AudioManager: Failed to open MCI device: ";
void ExpectDeviceFailureLine(const std::string& out);

// A manager playing real wave files on a device that keeps real time with no sound card: SDL's
// dummy driver on Linux, a PulseAudio null sink behind Wine's winmm for the Windows build.
class AudioManagerTest : public testing::Test {
  protected:
    // A sine of the given length written into this test's directory.
    std::string WriteTrack(const std::string& name, double seconds = 0.3) const;
    // Initialised and loaded with a track of that length, console lines discarded.
    void LoadTrack(double seconds = 0.3);
    // Playing a freshly loaded track, console lines discarded.
    void StartTrack(double seconds = 0.3);
    // Waits, for at most a few seconds, until the device has played the track to its end.
    bool WaitForTrackEnd() const;
    // What `action` prints; what was printed before it is dropped.
    template <typename Action>
    Printed Lines(Action action) {
        console.TakeOut();
        console.TakeErr();
        action();
        return {console.TakeOut(), console.TakeErr()};
    }

    TempDir dir;
    ConsoleLines console;
    AudioManager audio{console};
};

// The manager's flags, for comparing whole states at once.
struct Flags {
    bool initialized, musicLoaded, deviceOpen, isPlaying, isPaused, muted;
    bool operator==(const Flags& other) const;
};
Flags FlagsOf(const AudioManager& audio);
void PrintTo(const Flags& flags, std::ostream* os);
