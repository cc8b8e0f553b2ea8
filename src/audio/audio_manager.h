#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "audio/music_backend.h"
#include "base/console.h"

// Plays the film's one music file: load, play from the start, pause, resume, stop, restart at the
// end of the track (found by polling in Update) and mute by pausing. Every operation is safe in any
// state: one whose precondition does not hold does nothing and prints nothing (LoadMusic alone
// reports an uninitialised manager). A muted track stays silent until it is unmuted, whatever is
// asked of it. Progress lines go to the console's `out`, the three LoadMusic errors to its `err`,
// each flushed.
class AudioManager {
  public:
    std::string musicPath;       // the path last given to LoadMusic
    bool isPlaying = false;      // started or resumed, and not since paused or stopped
    bool isPaused = false;       // paused, and can be resumed
    uint32_t deviceId = 0;       // the open device's handle; 0 when none is open
    bool deviceOpen = false;     // a device is open under deviceId
    bool initialized = false;    // between Initialize and Cleanup
    bool musicLoaded = false;    // a LoadMusic has succeeded since Initialize
    bool muted = false;          // muting requested; callers read it
    float volume = 1.0f;         // requested level, 0 to 1; recorded only, never sent to the device
    float savedVolume = 1.0f;    // volume as it was when muting began
    bool pausedAtStart = false;  // paused before it began: a start asked for while muted
    bool held = false;           // the film is paused: the music waits for it, muted or not
    bool playOnRelease = false;  // the music is to sound again when the film goes on
    std::optional<double> playFrom;  // seconds into the track the next play or resume starts at
    // The loaded track's length in seconds, when its file tells it (a wave file does); a place
    // asked for beyond it is taken round the loop the track plays.
    std::optional<double> trackSeconds;

    explicit AudioManager(Console console) : console(console) {}
    ~AudioManager() { Cleanup(); }
    AudioManager(const AudioManager&) = delete;
    AudioManager& operator=(const AudioManager&) = delete;

    bool Initialize();
    void Cleanup();
    // Stops and closes the current track, then opens `path`. False, with a line on `err`,
    // when the manager is not initialised, the file cannot be read or the device cannot open it.
    bool LoadMusic(const std::string& path);
    std::string ConvertToWavIfNeeded(const std::string& path) const;
    bool OpenMCIDevice(const std::string& path);
    void CloseMCIDevice();

    // Resumes when paused, otherwise starts from the beginning. While muted it makes no sound: a
    // start waits, paused at the beginning, for the unmute.
    void PlayMusic();
    void PauseMusic();
    void ResumeMusic();
    // Stops a playing or a paused track, so that the next PlayMusic starts from the beginning.
    void StopMusic();
    // Moves the music to where a looping track stands `seconds` after its start: at once while it
    // sounds, otherwise the next play or resume starts there. Prints nothing.
    void SeekMusic(double seconds);
    // The film pauses: the music pauses with it and stays silent, whatever else is asked, until
    // ReleaseMusic, which lets it sound again if it sounded or was asked to meanwhile (and is not
    // muted). An unmute while held waits for the release too.
    void HoldMusic();
    void ReleaseMusic();
    void SetMusicVolume(float level);
    void SetMuted(bool mute);
    // Asks the device; only when it cannot answer is the answer taken from the flags.
    bool IsMusicPlaying() const;
    // Once per frame: starts the track again when the device has played it to its end.
    void Update();
    void LogMessage(const std::string& text) const;

  private:
    Console console;
    MusicBackend backend;
};
