#pragma once

#include <gtest/gtest.h>

#include <string>

#include "audio/audio_manager.h"
#include "support/temp_files.h"

// The lines a piece of code wrote to standard output and standard error.
struct ConsoleLines {
    std::string out;
    std::string err;
};

template <typename Action>
ConsoleLines Console(Action action) {
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    action();
    ConsoleLines lines;
    lines.out = testing::internal::GetCapturedStdout();
    lines.err = testing::internal::GetCapturedStderr();
    return lines;
}

// A manager playing real wave files through SDL's dummy driver (set for the whole program), which
// paces playback in real time without a sound card.
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

    TempDir dir;
    AudioManager audio;
};

// The manager's flags, for comparing whole states at once.
struct Flags {
    bool initialized, musicLoaded, deviceOpen, isPlaying, isPaused, muted;
    bool operator==(const Flags& other) const;
};
Flags FlagsOf(const AudioManager& audio);
void PrintTo(const Flags& flags, std::ostream* os);
