#include "audio/music_file.h"
#include "audio/wav_header.h"

std::string PlayableTrackPath(const std::string& path) {
    return path;
}

std::optional<std::string> MusicFileRefusal(const std::string& path) {
    const WavHeaderResult wave = ReadWavHeader(path);
    if (wave.header) return std::nullopt;
    return "not a playable wave file: " + wave.error;
}
