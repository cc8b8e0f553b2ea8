// The music device in a browser: the page's Web Audio player (web/film_page_library.js), which
// plays the track's decoded samples in step with the film. The page starts the film on the
// viewer's first click or key, so the browser lets it sound.
#include <cstdlib>

#include "audio/music_backend.h"
#include "base/page_web.h"

struct MusicBackend::Device {
    uint32_t handle = 0;      // the open track's handle; 0 when none is open
    uint32_t lastHandle = 0;  // handles count up from 1, one for each successful open
};

namespace {

constexpr size_t kMaxErrorTextLength = 255;

}  // namespace

MusicBackend::MusicBackend() : device(std::make_unique<Device>()) {}

MusicBackend::~MusicBackend() {
    Close();
}

MusicOpenResult MusicBackend::Open(const std::string& path) {
    Close();
    char* error = lumenvale_music_open(path.c_str());
    if (error) {
        std::string text(error);
        free(error);
        return {0, text.substr(0, kMaxErrorTextLength)};
    }
    device->handle = ++device->lastHandle;
    return {device->handle, ""};
}

bool MusicBackend::PlayFromStart() {
    return PlayFrom(0.0);
}

bool MusicBackend::PlayFrom(double seconds) {
    if (device->handle == 0) return false;
    lumenvale_music_play(seconds > 0.0 ? seconds : 0.0);
    return true;
}

bool MusicBackend::Pause() {
    if (device->handle == 0) return false;
    lumenvale_music_pause(0);
    return true;
}

bool MusicBackend::Resume() {
    if (device->handle == 0) return false;
    lumenvale_music_play(-1.0);
    return true;
}

bool MusicBackend::Stop() {
    if (device->handle == 0) return false;
    lumenvale_music_pause(1);
    return true;
}

std::optional<MusicMode> MusicBackend::QueryMode() const {
    if (device->handle == 0) return std::nullopt;
    switch (lumenvale_music_mode()) {
        case 1:
            return MusicMode::Playing;
        case 2:
            return MusicMode::Other;
        default:
            return MusicMode::Stopped;
    }
}

void MusicBackend::Close() {
    if (device->handle == 0) return;
    lumenvale_music_close();
    device->handle = 0;
}
