// The music device on SDL_mixer. Holding a track owns SDL's audio subsystem: each open
// initialises it and each close releases it, so nothing of SDL stays alive while no track is open.
#include <SDL.h>
#include <SDL_mixer.h>

#include "audio/music_backend.h"

struct MusicBackend::Device {
    Mix_Music* music = nullptr;
    uint32_t lastHandle = 0;  // handles count up from 1, one for each successful open
};

namespace {

constexpr int kSampleRate = 44100;
constexpr int kChannels = 2;
constexpr int kChunkSamples = 2048;
constexpr size_t kMaxErrorTextLength = 255;

MusicOpenResult Failure() {
    return {0, std::string(SDL_GetError()).substr(0, kMaxErrorTextLength)};
}

}  // namespace

MusicBackend::MusicBackend() : device(std::make_unique<Device>()) {}

MusicBackend::~MusicBackend() {
    Close();
}

MusicOpenResult MusicBackend::Open(const std::string& path) {
    Close();
    // SDL would otherwise take over SIGINT and SIGTERM, and Ctrl+C would no longer end the run.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return Failure();

    const bool mixerOpen =
        Mix_OpenAudio(kSampleRate, MIX_DEFAULT_FORMAT, kChannels, kChunkSamples) == 0;
    SDL_RWops* file = mixerOpen ? SDL_RWFromFile(path.c_str(), "rb") : nullptr;
    // Decoded strictly as WAVE: the device plays wave files, whatever decoders SDL_mixer has.
    if (file) device->music = Mix_LoadMUSType_RW(file, MUS_WAV, SDL_TRUE);
    if (device->music) return {++device->lastHandle, ""};

    MusicOpenResult failure = Failure();  // taken before the shutdown below can replace it
    if (mixerOpen) Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return failure;
}

bool MusicBackend::PlayFromStart() {
    // Played once: the owner polls for the end and decides whether to start it again.
    return device->music && Mix_PlayMusic(device->music, 0) == 0;
}

bool MusicBackend::PlayFrom(double seconds) {
    // One call, so that no block of the track's beginning is mixed before the jump.
    return device->music && Mix_FadeInMusicPos(device->music, 0, 0, seconds) == 0;
}

bool MusicBackend::Pause() {
    if (!device->music) return false;
    Mix_PauseMusic();
    return true;
}

bool MusicBackend::Resume() {
    if (!device->music) return false;
    Mix_ResumeMusic();
    return true;
}

bool MusicBackend::Stop() {
    if (!device->music) return false;
    Mix_HaltMusic();
    return true;
}

std::optional<MusicMode> MusicBackend::QueryMode() const {
    if (!device->music) return std::nullopt;
    if (!Mix_PlayingMusic()) return MusicMode::Stopped;
    return Mix_PausedMusic() ? MusicMode::Other : MusicMode::Playing;
}

void MusicBackend::Close() {
    if (!device->music) return;
    Mix_FreeMusic(device->music);
    device->music = nullptr;
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}
