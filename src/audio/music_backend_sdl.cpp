// The music device on SDL_mixer. Holding a track owns SDL's audio subsystem: each open
// initialises it and each close releases it, so nothing of SDL stays alive while no track is open.
#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <vector>

#include "audio/music_backend.h"
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

MusicOpenResult Failure() {
    return {0, std::string(SDL_GetError()).substr(0, kMaxErrorTextLength)};
}

// The wave file as if its samples began `skipped` bytes later: the header as it is but for the
// two sizes, then the rest of the samples. SDL_mixer positions a wave track only to whole
// seconds; a track that begins at the wanted frame needs no positioning.
struct LaterStart {
    SDL_RWops* file;
    std::vector<unsigned char> header;  // up to the first sample, sizes rewritten
    Sint64 samplesAt;                   // where the first presented sample lies in the file
    Sint64 size;
    Sint64 at = 0;
};

void PutU32(unsigned char* p, uint32_t value) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<unsigned char>(value >> (8 * i));
}

LaterStart& ViewOf(SDL_RWops* view) {
    return *static_cast<LaterStart*>(view->hidden.unknown.data1);
}

Sint64 ViewSize(SDL_RWops* view) {
    return ViewOf(view).size;
}

Sint64 ViewSeek(SDL_RWops* view, Sint64 offset, int whence) {
    LaterStart& later = ViewOf(view);
    const Sint64 base = whence == RW_SEEK_SET ? 0 : (whence == RW_SEEK_CUR ? later.at : later.size);
    if (base + offset < 0) return SDL_SetError("seek before the start of the track");
    return later.at = base + offset;
}

size_t ViewRead(SDL_RWops* view, void* out, size_t size, size_t count) {
    LaterStart& later = ViewOf(view);
    const Sint64 wanted = std::min<Sint64>(static_cast<Sint64>(size * count),
                                           std::max<Sint64>(later.size - later.at, 0));
    auto* bytes = static_cast<unsigned char*>(out);
    Sint64 done = 0;
    const Sint64 headerSize = static_cast<Sint64>(later.header.size());
    if (later.at < headerSize) {
        done = std::min(wanted, headerSize - later.at);
        std::memcpy(bytes, later.header.data() + later.at, static_cast<size_t>(done));
    }
    if (done < wanted) {
        const Sint64 from = later.samplesAt + later.at + done - headerSize;
        if (SDL_RWseek(later.file, from, RW_SEEK_SET) < 0) return 0;
        done += static_cast<Sint64>(
            SDL_RWread(later.file, bytes + done, 1, static_cast<size_t>(wanted - done)));
    }
    later.at += done;
    return size ? static_cast<size_t>(done) / size : 0;
}

int ViewClose(SDL_RWops* view) {
    LaterStart* later = &ViewOf(view);
    SDL_RWclose(later->file);
    delete later;
    SDL_FreeRW(view);
    return 0;
}

// The track at `path` as SDL_mixer's music, beginning `frame` frames in.
Mix_Music* LoadTrackFrom(const std::string& path, const WavHeader& wave, uint64_t frame) {
    const uint32_t skipped = static_cast<uint32_t>(std::min<uint64_t>(
        frame * wave.blockAlign, wave.dataSize / wave.blockAlign * wave.blockAlign));
    std::ifstream in(path, std::ios::binary);
    std::vector<unsigned char> header(wave.dataOffset);
    if (!in.read(reinterpret_cast<char*>(header.data()),
                 static_cast<std::streamsize>(header.size())) ||
        header.size() < 12) {
        SDL_SetError("cannot read the wave header of %s", path.c_str());
        return nullptr;
    }
    const uint32_t samples = wave.dataSize - skipped;
    PutU32(&header[header.size() - 4], samples);
    PutU32(&header[4], static_cast<uint32_t>(header.size() - 8 + samples));
    SDL_RWops* file = SDL_RWFromFile(path.c_str(), "rb");
    SDL_RWops* view = file ? SDL_AllocRW() : nullptr;
    if (!view) {
        if (file) SDL_RWclose(file);
        return nullptr;
    }
    const Sint64 size = static_cast<Sint64>(header.size() + samples);
    view->hidden.unknown.data1 = new LaterStart{
        file, std::move(header), static_cast<Sint64>(wave.dataOffset + skipped), size};
    view->size = ViewSize;
    view->seek = ViewSeek;
    view->read = ViewRead;
    view->write = nullptr;
    view->close = ViewClose;
    return Mix_LoadMUSType_RW(view, MUS_WAV, SDL_TRUE);
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
    if (device->music) {
        device->path = path;
        device->wave = ReadWavHeader(path).header;
        device->fromStart = true;
        return {++device->lastHandle, ""};
    }

    MusicOpenResult failure = Failure();  // taken before the shutdown below can replace it
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
