// The music device in a browser: an HTML audio element of the page (`Module.music`), playing the
// track's bytes from the page's file system. The page starts the film on the viewer's first
// click or key, so the browser lets it sound. Whenever the element begins to sound, it takes the
// film's time.
#include <emscripten.h>

#include <cstdlib>

#include "audio/music_backend.h"

struct MusicBackend::Device {
    uint32_t handle = 0;      // the open track's handle; 0 when none is open
    uint32_t lastHandle = 0;  // handles count up from 1, one for each successful open
};

namespace {

// The bodies of EM_JS are JavaScript.
// clang-format off

constexpr size_t kMaxErrorTextLength = 255;

// Makes the page's audio element for the file at `path`; an empty string when it is ready to
// play, else why not.
EM_JS(char*, OpenPageTrack, (const char* path), {
    try {
        const bytes = FS.readFile(UTF8ToString(path));
        if (Module.music) URL.revokeObjectURL(Module.music.src);
        const element = new Audio(URL.createObjectURL(new Blob([bytes], {type: 'audio/ogg'})));
        element.preload = 'auto';
        element.stopped = true;
        // The browser takes a while to get the sound going, and a while to move it, longer
        // while a frame keeps the page busy; and a busy machine lets the sound slip now and then.
        // The film's clock runs on meanwhile. So the music joins the film where it is once it
        // sounds (the page says where, `Module.filmNow`), and a few times a second it is brought
        // back: a little faster or slower for a moment when it is a little off, moved when far.
        const filmTime = () => {
            const at = Module.filmNow ? Module.filmNow() : null;
            return at !== null && at < element.duration ? at : null;
        };
        element.addEventListener('playing', () => {
            if (!element.joinFilm) return;
            element.joinFilm = false;
            const at = filmTime();
            if (at !== null) element.currentTime = at;
        });
        element.addEventListener('timeupdate', () => {
            const at = filmTime();
            if (element.paused || element.seeking || at === null) return;
            const ahead = element.currentTime - at;
            if (Math.abs(ahead) > 0.5) {
                element.currentTime = at;
            } else {
                element.playbackRate = Math.abs(ahead) < 0.01 ? 1 : 1 - Math.max(-0.25, Math.min(0.25, 2 * ahead));
            }
        });
        element.addEventListener('error', () => {
            console.error('Music: the browser cannot play the track (' +
                          (element.error ? element.error.message || element.error.code : '?') + ')');
        });
        Module.music = element;
        return 0;
    } catch (error) {
        const text = 'cannot read ' + UTF8ToString(path) + ': ' + error;
        const size = lengthBytesUTF8(text) + 1;
        const copy = _malloc(size);
        stringToUTF8(text, copy, size);
        return copy;
    }
});

// From `seconds` into the track, or where it stands when that is negative.
EM_JS(void, PlayPageTrack, (double seconds), {
    const element = Module.music;
    element.playbackRate = 1;
    if (seconds >= 0) element.currentTime = seconds;
    // A playing element moves at once; one that starts joins the film as it begins to sound.
    element.joinFilm = element.paused || element.ended;
    element.stopped = false;
    const started = element.play();
    if (started) {
        started.catch((error) => console.warn('Music: the browser refused to play: ' + error.message));
    }
});

EM_JS(void, PausePageTrack, (int rewind), {
    const element = Module.music;
    element.pause();
    if (rewind) {
        element.currentTime = 0;
        element.stopped = true;
    }
});

// 1 playing, 2 paused, 0 stopped or played to its end.
EM_JS(int, PageTrackMode, (), {
    const element = Module.music;
    if (element.stopped || element.ended) return 0;
    return element.paused ? 2 : 1;
});

EM_JS(void, ClosePageTrack, (), {
    const element = Module.music;
    if (!element) return;
    element.pause();
    URL.revokeObjectURL(element.src);
    Module.music = null;
});
// clang-format on

}  // namespace

MusicBackend::MusicBackend() : device(std::make_unique<Device>()) {}

MusicBackend::~MusicBackend() {
    Close();
}

MusicOpenResult MusicBackend::Open(const std::string& path) {
    Close();
    char* error = OpenPageTrack(path.c_str());
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
    PlayPageTrack(seconds > 0.0 ? seconds : 0.0);
    return true;
}

bool MusicBackend::Pause() {
    if (device->handle == 0) return false;
    PausePageTrack(0);
    return true;
}

bool MusicBackend::Resume() {
    if (device->handle == 0) return false;
    PlayPageTrack(-1.0);
    return true;
}

bool MusicBackend::Stop() {
    if (device->handle == 0) return false;
    PausePageTrack(1);
    return true;
}

std::optional<MusicMode> MusicBackend::QueryMode() const {
    if (device->handle == 0) return std::nullopt;
    switch (PageTrackMode()) {
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
    ClosePageTrack();
    device->handle = 0;
}
