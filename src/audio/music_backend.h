#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

// What the device reports about the open track. A paused track is neither playing nor stopped.
enum class MusicMode { Playing, Stopped, Other };

struct MusicOpenResult {
    uint32_t handle = 0;    // the new device's handle, never 0; 0 when the open failed
    std::string errorText;  // why the open failed, at most 255 characters
    bool noDevice = false;  // it failed because no sound device could be opened at all
};

// The platform's audio device playing one wave file at a time: winmm's Media Control Interface
// on Windows, SDL_mixer elsewhere; the build compiles exactly one of music_backend_mci.cpp and
// music_backend_sdl.cpp. Every command returns as soon as the device has taken it and playback
// runs on by itself; nothing calls back, the owner polls the mode.
class MusicBackend {
  public:
    MusicBackend();
    ~MusicBackend();
    MusicBackend(const MusicBackend&) = delete;
    MusicBackend& operator=(const MusicBackend&) = delete;

    // Opens the file at `path` as a wave track, closing any track open before.
    MusicOpenResult Open(const std::string& path);
    // Commands to the open track; each fails when no track is open.
    bool PlayFromStart();
    // Plays from `seconds` into the track to its end, whether it was playing, paused or stopped.
    bool PlayFrom(double seconds);
    bool Pause();
    bool Resume();
    bool Stop();
    // No answer when no track is open or the device cannot tell.
    std::optional<MusicMode> QueryMode() const;
    void Close();

  private:
    struct Device;  // the open track as the platform's library holds it
    std::unique_ptr<Device> device;
};
