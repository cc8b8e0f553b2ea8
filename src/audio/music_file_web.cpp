#include <fstream>

#include "audio/music_file.h"

std::string PlayableTrackPath(const std::string& path) {
    return CompressedCopyPath(path);
}

std::optional<std::string> MusicFileRefusal(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return OggRefusal(in);
}
