#pragma once

#include <SDL_mixer.h>

#include <cstdint>
#include <optional>
#include <string>

// What the device reports about the open track. A paused track is neither playing nor stopped.
enum class MusicMode { Playing, Stopped, Other };

struct MusicOpenResult {
    uint32_t handle = 0;    // the new device's handle, never 0; 0 when the open failed
    std::string errorText;  // why the open failed, at most 255 characters
};

// The audio device that plays one wave file at a time, bound to SDL_mixer. Every command returns
// as soon as the device has taken it; playback runs on by itself on SDL's audio thread. Holding
// the device owns SDL's audio subsystem: it is initialised by each open and released by each
// close, so nothing of SDL stays alive while no track is open.
class MusicBackend {
  public:
    MusicBackend() = default;
    ~MusicBackend() { Close(); }
    MusicBackend(const MusicBackend&) = delete;
    MusicBackend& operator=(const MusicBackend&) = delete;

    // Opens the file at `path` as a wave track on the default audio device. Handles count up
    // from 1, one for each successful open of this back-end.
    MusicOpenResult Open(const std::string& path);
    // Commands to the open track; each fails when no track is open.
    bool PlayFromStart();
    bool Pause();
    bool Resume();
    bool Stop();
    // No answer when no track is open.
    std::optional<MusicMode> QueryMode() const;
    void Close();

  private:
    Mix_Music* music = nullptr;
    uint32_t lastHandle = 0;
};
