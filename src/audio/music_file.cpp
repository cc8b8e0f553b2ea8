#include "audio/music_file.h"

std::string CompressedCopyPath(const std::string& path) {
    const std::string wave = ".wav";
    const bool named = path.size() > wave.size() &&
                       path.compare(path.size() - wave.size(), wave.size(), wave) == 0;
    return (named ? path.substr(0, path.size() - wave.size()) : path) + ".opus";
}

std::optional<std::string> OggRefusal(std::istream& in) {
    char signature[4] = {};
    if (!in.read(signature, sizeof signature)) return "not a playable Ogg file: it is too short";
    if (std::string(signature, sizeof signature) != "OggS") {
        return "not a playable Ogg file: it does not start with OggS";
    }
    return std::nullopt;
}
