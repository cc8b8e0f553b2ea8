// The music device on Windows: winmm's Media Control Interface, one "waveaudio" device per track,
// driven by command messages. No command asks for a notification or waits for its end.
//
// A plain wave file of integer samples (plain_wave.h), as the film's own music is, is opened by
// its path. Any other checked track the device reads through winmm's file I/O, which hands a
// name of the form "NAME.EXT+" to the I/O procedure installed for EXT: ours serves the track as
// its plain wave file, so the device never walks the file's own chunks, and it is given integer
// samples, since wave devices refuse float ones (Wine's refuses the plain float tag).
#include <windows.h>
// mmsystem.h needs the Windows types above.
#include <mmsystem.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <map>
#include <mutex>

#include "audio/music_backend.h"
#include "audio/plain_wave.h"

struct MusicBackend::Device {
    MCIDEVICEID id = 0;  // 0 while no track is open; MCI never hands out 0
    DWORD track = 0;     // the track the I/O procedure serves for this device, 0 for none
};

namespace {

// The extension that names our I/O procedure.
const char kTrackExtension[] = "LVW";

// The checked tracks the I/O procedure serves, by number; the device reads them from its own
// thread.
struct Track {
    std::string path;
    WavHeader wave;
    PlainWaveFile file;  // open while the device holds the track
    std::uint64_t position = 0;
};
std::mutex tracksLock;
std::map<DWORD, Track> tracks;
DWORD lastTrack = 0;

Track* TrackNumbered(DWORD number) {
    const std::lock_guard<std::mutex> lock(tracksLock);
    const auto found = tracks.find(number);
    return found == tracks.end() ? nullptr : &found->second;
}

LRESULT CALLBACK ServeTrack(LPSTR infoBytes, UINT message, LPARAM first, LPARAM second) {
    auto* info = reinterpret_cast<MMIOINFO*>(infoBytes);
    if (message == MMIOM_OPEN) {
        // The name is the track's number and our extension, should winmm put a folder before it.
        const std::string name = reinterpret_cast<const char*>(first);
        const std::size_t folder = name.find_last_of("\\/");
        const DWORD number = std::strtoul(
            name.c_str() + (folder == std::string::npos ? 0 : folder + 1), nullptr, 10);
        Track* track = TrackNumbered(number);
        if (!track || !track->file.Open(track->path, track->wave)) return MMIOERR_CANNOTOPEN;
        info->adwInfo[0] = number;
        info->lDiskOffset = 0;
        return MMSYSERR_NOERROR;
    }
    Track* track = TrackNumbered(info->adwInfo[0]);
    if (!track) return message == MMIOM_CLOSE ? 0 : -1;
    switch (message) {
        case MMIOM_CLOSE:
            track->file = PlainWaveFile();
            return 0;
        case MMIOM_READ: {
            const std::size_t room =
                static_cast<std::size_t>(std::numeric_limits<LONG>::max() - info->lDiskOffset);
            const std::size_t got = track->file.Read(
                static_cast<std::uint64_t>(info->lDiskOffset),
                reinterpret_cast<unsigned char*>(first),
                std::min(room, static_cast<std::size_t>(std::max<LPARAM>(second, 0))));
            info->lDiskOffset += static_cast<LONG>(got);
            return static_cast<LRESULT>(got);
        }
        case MMIOM_SEEK: {
            // winmm's file offsets are 32-bit and signed: as with any file it opens, the
            // device reaches the first 2 GiB.
            const std::int64_t base = second == SEEK_SET ? 0
                                      : second == SEEK_CUR
                                          ? info->lDiskOffset
                                          : static_cast<std::int64_t>(track->file.Size());
            const std::int64_t target = base + static_cast<LONG>(first);
            if (target < 0 || target > std::numeric_limits<LONG>::max()) return -1;
            info->lDiskOffset = static_cast<LONG>(target);
            return info->lDiskOffset;
        }
        default:
            return -1;  // the track is read only
    }
}

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
    // A file the check refuses goes to the device as it is, which says in its own words why it
    // cannot play it; so does a plain one, which it plays as it is.
    const WavHeaderResult checked = ReadWavHeader(path);
    std::string element = path;
    if (checked.header && !IsPlainWaveFile(path, *checked.header)) {
        static const bool installed =
            mmioInstallIOProcA(mmioStringToFOURCCA(kTrackExtension, MMIO_TOUPPER), ServeTrack,
                               MMIO_INSTALLPROC | MMIO_GLOBALPROC) != nullptr;
        if (installed) {
            const std::lock_guard<std::mutex> lock(tracksLock);
            device->track = ++lastTrack;
            Track& track = tracks[device->track];
            track.path = path;
            track.wave = *checked.header;
            element = std::to_string(device->track) + "." + kTrackExtension + "+";
        }
    }
    MCI_OPEN_PARMSA open{};
    open.lpstrDeviceType = "waveaudio";
    open.lpstrElementName = element.c_str();
    const MCIERROR error = mciSendCommandA(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_ELEMENT,
                                           reinterpret_cast<DWORD_PTR>(&open));
    if (error != 0) {
        Close();
        return {0, ErrorText(error)};
    }
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
    if (device->id != 0) Command(device->id, MCI_CLOSE);  // the device is gone either way
    device->id = 0;
    if (device->track == 0) return;
    const std::lock_guard<std::mutex> lock(tracksLock);
    tracks.erase(device->track);
    device->track = 0;
}
