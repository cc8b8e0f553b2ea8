// The music device on SDL_mixer. Holding a track owns SDL's audio subsystem: each open
// initialises it and each close releases it, so nothing of SDL stays alive while no track is open.
#include <SDL.h>
#include <SDL_mixer.h>
#include <dlfcn.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

#include "audio/music_backend.h"
#include "audio/plain_wave.h"
#include "audio/wav_header.h"

struct MusicBackend::Device {
    Mix_Music* music = nullptr;
    uint32_t lastHandle = 0;  // handles count up from 1, one for each successful open
    std::string path;
    std::optional<WavHeader> wave;  // where the samples lie, for playing from within the track
    bool fromStart = true;          // `music` begins where the track does
};

namespace {

constexpr int kSampleRate = 44100;
constexpr int kChannels = 2;
constexpr int kChunkSamples = 2048;
constexpr size_t kMaxErrorTextLength = 255;

MusicOpenResult Failure(bool noDevice = false) {
    return {0, std::string(SDL_GetError()).substr(0, kMaxErrorTextLength), noDevice};
}

void IgnoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

// ALSA, which SDL loads to find a sound card, writes each step of a failed search to standard
// error itself (nine lines on a machine without one); SDL's own error says it in one. Its
// handler is the library's, shared with SDL's handle on it.
void SilenceAlsaErrors() {
    static const bool silenced = [] {
        void* alsa = dlopen("libasound.so.2", RTLD_LAZY | RTLD_LOCAL);
        using SetHandler = int (*)(void (*)(const char*, int, const char*, int, const char*, ...));
        auto* set =
            alsa ? reinterpret_cast<SetHandler>(dlsym(alsa, "snd_lib_error_set_handler")) : nullptr;
        return set && set(IgnoreAlsaError) == 0;
    }();
    (void)silenced;
}

// The mixer walks a wave file's chunks its own way, so it is given the plain file instead: the
// plain header, then the file's samples read in place.
struct PlainWave {
    std::array<unsigned char, kPlainWaveHeaderBytes> header{};
    SDL_RWops* file = nullptr;
    Sint64 dataOffset = 0;
    Sint64 size = 0;  // header and samples
    Sint64 position = 0;
};

PlainWave* WaveOf(SDL_RWops* stream) {
    return static_cast<PlainWave*>(stream->hidden.unknown.data1);
}

Sint64 SDLCALL PlainSize(SDL_RWops* stream) {
    return WaveOf(stream)->size;
}

Sint64 SDLCALL PlainSeek(SDL_RWops* stream, Sint64 offset, int whence) {
    PlainWave& wave = *WaveOf(stream);
    const Sint64 base = whence == RW_SEEK_SET   ? 0
                        : whence == RW_SEEK_CUR ? wave.position
                                                : wave.size;
    const Sint64 target = base + offset;
    if (target < 0) return SDL_SetError("seek before the start of the music");
    wave.position = target;
    return target;
}

size_t SDLCALL PlainRead(SDL_RWops* stream, void* out, size_t size, size_t count) {
    PlainWave& wave = *WaveOf(stream);
    if (size == 0) return 0;
    unsigned char* to = static_cast<unsigned char*>(out);
    size_t wanted = size * count, done = 0;
    const Sint64 headerSize = static_cast<Sint64>(wave.header.size());
    while (done < wanted && wave.position < wave.size) {
        const Sint64 left =
            std::min<Sint64>(static_cast<Sint64>(wanted - done), wave.size - wave.position);
        size_t got = 0;
        if (wave.position < headerSize) {
            got = static_cast<size_t>(std::min<Sint64>(left, headerSize - wave.position));
            std::memcpy(to + done, wave.header.data() + wave.position, got);
        } else {
            const Sint64 at = wave.dataOffset + wave.position - headerSize;
            if (SDL_RWseek(wave.file, at, RW_SEEK_SET) != at) break;
            got = SDL_RWread(wave.file, to + done, 1, static_cast<size_t>(left));
            if (got == 0) break;
        }
        done += got;
        wave.position += static_cast<Sint64>(got);
    }
    return done / size;
}

size_t SDLCALL PlainWrite(SDL_RWops*, const void*, size_t, size_t) {
    return 0;
}

int SDLCALL PlainClose(SDL_RWops* stream) {
    PlainWave* wave = WaveOf(stream);
    SDL_RWclose(wave->file);
    delete wave;
    SDL_FreeRW(stream);
    return 0;
}

// The samples of the checked file at `path` from `frame` frames in, behind a plain header, as
// SDL_mixer's music; null with SDL's error set when the file cannot be opened. SDL_mixer
// positions a wave track only to whole seconds; a track that begins at the wanted frame needs
// no positioning.
Mix_Music* LoadTrackFrom(const std::string& path, WavHeader wave, uint64_t frame) {
    const uint64_t skipped =
        std::min<uint64_t>(frame, wave.dataSize / wave.blockAlign) * wave.blockAlign;
    wave.dataOffset += skipped;
    wave.dataSize -= skipped;
    SDL_RWops* file = SDL_RWFromFile(path.c_str(), "rb");
    if (!file) return nullptr;
    SDL_RWops* stream = SDL_AllocRW();
    if (!stream) {
        SDL_RWclose(file);
        return nullptr;
    }
    auto* plain = new PlainWave;
    plain->header = PlainWaveHeader(wave);
    plain->file = file;
    plain->dataOffset = static_cast<Sint64>(wave.dataOffset);
    plain->size = static_cast<Sint64>(plain->header.size() + wave.dataSize);
    stream->size = PlainSize;
    stream->seek = PlainSeek;
    stream->read = PlainRead;
    stream->write = PlainWrite;
    stream->close = PlainClose;
    stream->type = SDL_RWOPS_UNKNOWN;
    stream->hidden.unknown.data1 = plain;
    return Mix_LoadMUSType_RW(stream, MUS_WAV, SDL_TRUE);
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
    SilenceAlsaErrors();
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return Failure(true);

    const bool mixerOpen =
        Mix_OpenAudio(kSampleRate, MIX_DEFAULT_FORMAT, kChannels, kChunkSamples) == 0;
    // A file that cannot be opened is reported in SDL's words, which name it.
    SDL_RWops* probe = mixerOpen ? SDL_RWFromFile(path.c_str(), "rb") : nullptr;
    if (probe) SDL_RWclose(probe);
    const WavHeaderResult checked = probe ? ReadWavHeader(path) : WavHeaderResult{};
    if (probe && !checked.header) SDL_SetError("%s", checked.error.c_str());
    // Decoded strictly as WAVE: the device plays wave files, whatever decoders SDL_mixer has.
    if (mixerOpen && checked.header) device->music = LoadTrackFrom(path, *checked.header, 0);
    if (device->music) {
        device->path = path;
        device->wave = checked.header;
        device->fromStart = true;
        return {++device->lastHandle, ""};
    }

    MusicOpenResult failure = Failure(!mixerOpen);  // taken before the shutdown can replace it
    if (mixerOpen) Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return failure;
}

bool MusicBackend::PlayFromStart() {
    return PlayFrom(0.0);
}

bool MusicBackend::PlayFrom(double seconds) {
    if (!device->music) return false;
    const uint64_t frame =
        device->wave
            ? static_cast<uint64_t>(std::llround(std::max(seconds, 0.0) * device->wave->sampleRate))
            : 0;
    if (frame > 0 || !device->fromStart) {
        Mix_Music* track =
            device->wave ? LoadTrackFrom(device->path, *device->wave, frame) : nullptr;
        if (!track) return false;
        Mix_HaltMusic();
        Mix_FreeMusic(device->music);
        device->music = track;
        device->fromStart = frame == 0;
    }
    // Played once: the owner polls for the end and decides whether to start it again.
    return Mix_PlayMusic(device->music, 0) == 0;
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
