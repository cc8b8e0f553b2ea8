#include "music/wav_reader.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace lumenvale::music::testing {

namespace {

std::uint32_t U32At(const std::vector<unsigned char>& bytes, std::size_t at) {
    return bytes.at(at) | bytes.at(at + 1) << 8 | bytes.at(at + 2) << 16 |
           static_cast<std::uint32_t>(bytes.at(at + 3)) << 24;
}

int U16At(const std::vector<unsigned char>& bytes, std::size_t at) {
    return bytes.at(at) | bytes.at(at + 1) << 8;
}

bool TagAt(const std::vector<unsigned char>& bytes, std::size_t at, const char* tag) {
    return bytes.size() >= at + 4 && std::equal(tag, tag + 4, bytes.begin() + at);
}

}  // namespace

WavFile ReadWav(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot open " + path);
    const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(in), {}};
    if (!TagAt(bytes, 0, "RIFF") || !TagAt(bytes, 8, "WAVE")) {
        throw std::runtime_error("not a RIFF/WAVE file: " + path);
    }
    if (U32At(bytes, 4) + 8 != bytes.size()) throw std::runtime_error("RIFF size is wrong");

    WavFile wav;
    bool haveFormat = false;
    for (std::size_t at = 12; at + 8 <= bytes.size();) {
        const std::uint32_t size = U32At(bytes, at + 4);
        const std::size_t body = at + 8;
        if (body + size > bytes.size()) throw std::runtime_error("chunk runs past the file end");
        if (TagAt(bytes, at, "fmt ")) {
            wav.formatTag = U16At(bytes, body);
            wav.channels = U16At(bytes, body + 2);
            wav.sampleRate = static_cast<int>(U32At(bytes, body + 4));
            wav.byteRate = U32At(bytes, body + 8);
            wav.blockAlign = U16At(bytes, body + 12);
            wav.bitsPerSample = U16At(bytes, body + 14);
            haveFormat = true;
        } else if (TagAt(bytes, at, "data")) {
            if (!haveFormat) throw std::runtime_error("data chunk before fmt chunk");
            if (wav.bitsPerSample == 16) {
                for (std::size_t i = body; i + 1 < body + size; i += 2) {
                    wav.samples.push_back(static_cast<std::int16_t>(U16At(bytes, i)));
                }
            }
            return wav;
        }
        at = body + size + (size & 1);  // chunks are padded to an even length
    }
    throw std::runtime_error("no data chunk in " + path);
}

}  // namespace lumenvale::music::testing
