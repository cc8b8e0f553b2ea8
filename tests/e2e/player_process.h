#pragma once

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "support/child_process.h"

// The real lumenvale executable, started in a working directory of the test's choosing and driven
// through the X server like a user would: keys and the scroll wheel through xdotool, the close
// button through the WM_DELETE_WINDOW protocol a window manager would send.
class PlayerProcess {
  public:
    // `arguments` follow the program's name; `environment` is added to the test's own.
    explicit PlayerProcess(
        const std::filesystem::path& workingDirectory,
        const std::vector<std::string>& arguments = {},
        const std::vector<std::pair<std::string, std::string>>& environment = {});
    PlayerProcess(const PlayerProcess&) = delete;
    PlayerProcess& operator=(const PlayerProcess&) = delete;

    // Waits for the program's window; false when none appeared in time or the program ended.
    bool WaitForWindow(std::chrono::seconds timeout = std::chrono::seconds(60));
    std::string Title() const;
    // Waits until the title has been refreshed at least `updates` more times.
    bool WaitForTitleUpdates(int updates, std::chrono::seconds timeout = std::chrono::seconds(60));
    // Holds the key (an xdotool key name) down for a moment, so that a frame sees it.
    void PressKey(const std::string& key,
                  std::chrono::milliseconds hold = std::chrono::milliseconds(300));
    void Scroll(int notches);
    // Sets the window's size as a window manager's resize does.
    void ResizeWindow(int width, int height);
    // Moves the pointer to a point of the window, clicks a button there, and reads where the
    // pointer is on the screen ("x y").
    void MoveMouse(int x, int y);
    void Click(int button);
    std::string MouseLocation() const;
    // Asks the window to close, as a window manager's close button does.
    void RequestClose();
    // The exit status, or nothing when the program is still running after `timeout`.
    std::optional<int> WaitForExit(std::chrono::seconds timeout = std::chrono::seconds(60));
    // Waits until standard output contains `text`, anywhere or after the first `from` bytes.
    bool WaitForOutput(const std::string& text,
                       std::chrono::seconds timeout = std::chrono::seconds(60));
    bool WaitForOutputAfter(std::size_t from, const std::string& text,
                            std::chrono::seconds timeout = std::chrono::seconds(60));

    std::string StandardOutput() const;
    // What the player has played so far, when SDL_AUDIODRIVER=disk: 44.1 kHz 16-bit stereo.
    std::string AudioOutput() const;
    std::string StandardError() const;

  private:
    TempDir audioFolder;  // where SDL's disk driver writes, unless the test says otherwise
    ChildProcess program;
    std::string windowId;
};

// An X server of its own with one screen of `size` ("WIDTHxHEIGHT"): while it lives it is the
// display of this test and of every player and tool the test starts.
class PrivateScreen {
  public:
    explicit PrivateScreen(const std::string& size);
    ~PrivateScreen();
    PrivateScreen(const PrivateScreen&) = delete;
    PrivateScreen& operator=(const PrivateScreen&) = delete;
    bool Ready() const { return ready; }
    // What the server said, for a test that found it not ready.
    std::string Log() const { return server.StandardError(); }

  private:
    ChildProcess server;
    std::optional<std::string> previousDisplay;
    bool ready = false;
};

// The whole screen as the viewer sees it: RGB rows, the top one first.
struct Screenshot {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;
};
Screenshot TakeScreenshot();

// LUMENVALE_PLAYER_PATHS=windows says the program under test is a Windows program under Wine.
bool PlayerRunsUnderWine();

// `path` as the program under test writes it: under Wine, which sees the Unix root as drive Z:,
// with backslashes.
std::string PathAsThePlayerWritesIt(const std::filesystem::path& path);

// The environment that has Wine trace the program's MCI calls on its standard error, one line
// per call and per parameter, such as `MCI_Open lpstrElementName=L"resources/audio/cin.wav"`;
// nothing to a Linux program.
const std::vector<std::pair<std::string, std::string>>& WineTracesMciCalls();
// Wine's trace line of an MCI open of `element`.
std::string MciOpenOf(const std::string& element);

// A private copy of the run-time data: shaders/ copied, resources/ as links to the real files, so
// that a test may remove files from it without touching the repository.
std::filesystem::path MakeScratchRunDirectory();

// The command LUMENVALE_MUSIC_CAPTURE names to record the sound card the program plays on (the
// Windows build under Wine plays into a PulseAudio null sink), as 16-bit stereo frames at 44.1
// kHz on its standard output; nothing when the program plays through SDL's disk device.
std::optional<std::string> SoundCardCaptureCommand();

// The sound cards a player may be given, each heard apart from the others (the PulseAudio sinks
// LUMENVALE_SOUND_CARDS lists, comma-separated); empty when there is only the one.
std::vector<std::string> SoundCards();

// Records the sound card with that command into `file` until destroyed: `card`, one of
// SoundCards(), or the default card when empty.
class SoundCardRecording {
  public:
    SoundCardRecording(const std::string& command, const std::filesystem::path& file,
                       const std::string& card = "");
    ~SoundCardRecording();
    SoundCardRecording(const SoundCardRecording&) = delete;
    SoundCardRecording& operator=(const SoundCardRecording&) = delete;

  private:
    pid_t pid;
};
