// The music device on Windows: winmm's Media Control Interface, one "waveaudio" device per track,
// driven by command messages. No command asks for a notification or waits for its end.
#include <windows.h>
// mmsystem.h needs the Windows types above.
#include <mmsystem.h>

#include <algorithm>
#include <cmath>

#include "audio/music_backend.h"

struct MusicBackend::Device {
    MCIDEVICEID id = 0;  // 0 while no track is open; MCI never hands out 0
};

namespace {

constexpr UINT kErrorTextBufferSize = 256;  // room for winmm's longest text and its terminator

bool Command(MCIDEVICEID id, UINT message, DWORD_PTR flags = 0, void* block = nullptr) {
    return id != 0 && mciSendCommandA(id, message, flags, reinterpret_cast<DWORD_PTR>(block)) == 0;
}

std::string ErrorText(MCIERROR error) {
    char text[kErrorTextBufferSize] = {};
    if (!mciGetErrorStringA(error, text, kErrorTextBufferSize)) return "unknown MCI error";
    return text;
}

}  // namespace

MusicBackend::MusicBackend() : device(std::make_unique<Device>()) {}

MusicBackend::~MusicBackend() {
    Close();
}

MusicOpenResult MusicBackend::Open(const std::string& path) {
    Close();
    MCI_OPEN_PARMSA open{};
    open.lpstrDeviceType = "waveaudio";
    open.lpstrElementName = path.c_str();
    const MCIERROR error = mciSendCommandA(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_ELEMENT,
                                           reinterpret_cast<DWORD_PTR>(&open));
    if (error != 0) return {0, ErrorText(error)};
    device->id = open.wDeviceID;
    return {device->id, ""};
}

bool MusicBackend::PlayFromStart() {
    MCI_PLAY_PARMS play{};  // from 0; `to` is not sent, so it plays to the end
    return Command(device->id, MCI_PLAY, MCI_FROM, &play);
}

bool MusicBackend::PlayFrom(double seconds) {
    MCI_SET_PARMS format{};
    format.dwTimeFormat = MCI_FORMAT_MILLISECONDS;
    if (!Command(device->id, MCI_SET, MCI_SET_TIME_FORMAT, &format)) return false;
    // A device that is playing or paused takes a new start only once it has stopped.
    Command(device->id, MCI_STOP);
    MCI_PLAY_PARMS play{};
    play.dwFrom = static_cast<DWORD>(std::lround(std::max(seconds, 0.0) * 1000.0));
    return Command(device->id, MCI_PLAY, MCI_FROM, &play);
}

bool MusicBackend::Pause() {
    return Command(device->id, MCI_PAUSE);
}

bool MusicBackend::Resume() {
    return Command(device->id, MCI_RESUME);
}

bool MusicBackend::Stop() {
    return Command(device->id, MCI_STOP);
}

std::optional<MusicMode> MusicBackend::QueryMode() const {
    MCI_STATUS_PARMS status{};
    status.dwItem = MCI_STATUS_MODE;
    if (!Command(device->id, MCI_STATUS, MCI_STATUS_ITEM, &status)) return std::nullopt;
    if (status.dwReturn == MCI_MODE_PLAY) return MusicMode::Playing;
    if (status.dwReturn == MCI_MODE_STOP) return MusicMode::Stopped;
    return MusicMode::Other;
}

void MusicBackend::Close() {
    if (device->id == 0) return;
    Command(device->id, MCI_CLOSE);  // the device is gone either way
    device->id = 0;
}
