#include "audio/audio_manager.h"

#include <algorithm>
#include <cmath>
#include <fstream>

#include "audio/music_file.h"
#include "audio/wav_header.h"
#include "base/content_file.h"

bool AudioManager::Initialize() {
    initialized = true;
    console.out << "AudioManager initialized successfully with Windows MCI audio" << std::endl;
    return true;
}

void AudioManager::Cleanup() {
    if (!initialized) return;
    if (deviceOpen) {
        if (isPlaying) StopMusic();
        CloseMCIDevice();
    }
    initialized = false;
    musicLoaded = false;
}

namespace {

// The length of the wave file at `path`; nothing for a file that is not one (the page's
// compressed copy, whose player knows its own length).
std::optional<double> TrackSeconds(const std::string& path) {
    const WavHeaderResult wave = ReadWavHeader(path);
    if (!wave.header || wave.header->blockAlign == 0 || wave.header->sampleRate == 0)
        return std::nullopt;
    return static_cast<double>(wave.header->dataSize / wave.header->blockAlign) /
           wave.header->sampleRate;
}

}  // namespace

bool AudioManager::LoadMusic(const std::string& path) {
    if (!initialized) {
        console.err << "AudioManager not initialized" << std::endl;
        return false;
    }
    // A paused track keeps its pause: playing the new one then resumes it.
    if (isPlaying) StopMusic();
    CloseMCIDevice();

    musicPath = ConvertToWavIfNeeded(path);
    // Opening a pipe or a device would block or never end: only a regular file is opened.
    const std::string problem = ContentFileProblem(musicPath, kMaxWavFileBytes);
    if (!problem.empty() && problem != "no such file") LogMessage(path + ": " + problem);
    if (!problem.empty() || !std::ifstream(musicPath)) {
        console.err << "Failed to load audio file: " << path << std::endl;
        return false;
    }
    if (!OpenMCIDevice(musicPath)) {
        console.err << "Failed to open MCI device for: " << path << std::endl;
        return false;
    }
    musicLoaded = true;
    trackSeconds = TrackSeconds(musicPath);
    console.out << "Music loaded successfully: " << path << std::endl;
    return true;
}

// No conversion is made: a file that is not a wave file fails when the device opens it. The
// browser plays the compressed copy made for it.
std::string AudioManager::ConvertToWavIfNeeded(const std::string& path) const {
    return PlayableTrackPath(path);
}

bool AudioManager::OpenMCIDevice(const std::string& path) {
    CloseMCIDevice();
    if (const auto refusal = MusicFileRefusal(path)) {
        LogMessage("Failed to open MCI device: " + *refusal);
        return false;
    }
    const MusicOpenResult opened = backend.Open(path);
    if (opened.handle == 0) {
        LogMessage("Failed to open MCI device: " + opened.errorText);
        if (opened.noDevice)
            console.out << "No sound device could be opened: the film plays without music"
                        << std::endl;
        return false;
    }
    deviceId = opened.handle;
    deviceOpen = true;
    return true;
}

void AudioManager::CloseMCIDevice() {
    if (!deviceOpen) return;
    backend.Close();
    deviceOpen = false;
    deviceId = 0;
}

void AudioManager::PlayMusic() {
    if (!initialized || !musicLoaded || !deviceOpen) return;
    if (muted || held) {
        if (!isPlaying && !isPaused) isPaused = pausedAtStart = true;
        if (held && !muted) playOnRelease = true;
        return;
    }
    const bool resuming = isPaused && !pausedAtStart;
    const bool played = playFrom ? backend.PlayFrom(*playFrom)
                                 : (resuming ? backend.Resume() : backend.PlayFromStart());
    if (!played) {
        LogMessage(resuming ? "Failed to resume music" : "Failed to start music playback");
        return;
    }
    isPlaying = true;
    isPaused = pausedAtStart = false;
    playFrom.reset();
    console.out << (resuming ? "Music resumed from pause" : "Music playback started") << std::endl;
}

void AudioManager::PauseMusic() {
    if (!initialized || !deviceOpen || !isPlaying || isPaused) return;
    if (!backend.Pause()) {
        LogMessage("Failed to pause music");
        return;
    }
    isPlaying = false;
    isPaused = true;
    console.out << "Music paused" << std::endl;
}

void AudioManager::ResumeMusic() {
    if (initialized && isPaused) PlayMusic();
}

void AudioManager::StopMusic() {
    if (!initialized || !deviceOpen || !(isPlaying || isPaused)) return;
    if (!backend.Stop()) return;
    isPlaying = false;
    isPaused = pausedAtStart = playOnRelease = false;
    playFrom.reset();
    console.out << "Music stopped" << std::endl;
}

void AudioManager::SeekMusic(double seconds) {
    if (!initialized || !musicLoaded || !deviceOpen) return;
    if (trackSeconds && *trackSeconds > 0.0) seconds = std::fmod(seconds, *trackSeconds);
    if (!isPlaying) {
        playFrom = seconds;
        return;
    }
    if (!backend.PlayFrom(seconds)) LogMessage("Failed to seek music");
}

void AudioManager::HoldMusic() {
    if (!initialized || held) return;
    held = true;
    playOnRelease = isPlaying;
    if (isPlaying) PauseMusic();
}

void AudioManager::ReleaseMusic() {
    if (!initialized || !held) return;
    held = false;
    if (playOnRelease && isPaused && !muted) PlayMusic();
    playOnRelease = false;
}

void AudioManager::SetMusicVolume(float level) {
    if (!initialized) return;
    volume = std::isnan(level) ? 1.0f : std::clamp(level, 0.0f, 1.0f);
}

void AudioManager::SetMuted(bool mute) {
    if (!initialized || mute == muted) return;
    muted = mute;
    if (mute) {
        savedVolume = volume;
        if (isPlaying) PauseMusic();
        console.out << "Music muted" << std::endl;
    } else {
        if (isPaused && musicLoaded) PlayMusic();
        console.out << "Music unmuted" << std::endl;
    }
}

bool AudioManager::IsMusicPlaying() const {
    if (!initialized || !deviceOpen) return false;
    if (const auto mode = backend.QueryMode()) return *mode == MusicMode::Playing;
    return isPlaying && !muted;
}

void AudioManager::Update() {
    if (!initialized || !deviceOpen || !isPlaying) return;
    const auto mode = backend.QueryMode();
    if (mode != MusicMode::Stopped) return;
    // The track ran to its end. A muted track stays silent until it is played again.
    if (muted || !musicLoaded) {
        isPlaying = false;
    } else {
        backend.PlayFromStart();
    }
}

void AudioManager::LogMessage(const std::string& text) const {
    console.out << "AudioManager: " << text << std::endl;
}
