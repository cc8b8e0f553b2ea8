#include "music/wav_reader.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace lumenvale::music::testing {

namespace {

std::uint32_t u32_at(const std::vector<unsigned char>& bytes, std::size_t at) {
    return bytes.at(at) | bytes.at(at + 1) << 8 | bytes.at(at + 2) << 16 |
           static_cast<std::uint32_t>(bytes.at(at + 3)) << 24;
}

int u16_at(const std::vector<unsigned char>& bytes, std::size_t at) {
    return bytes.at(at) | bytes.at(at + 1) << 8;
}

bool tag_at(const std::vector<unsigned char>& bytes, std::size_t at, const char* tag) {
    return bytes.size() >= at + 4 && std::equal(tag, tag + 4, bytes.begin() + at);
}

}  // namespace

WavFile read_wav(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot open " + path);
    const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(in), {}};
    if (!tag_at(bytes, 0, "RIFF") || !tag_at(bytes, 8, "WAVE")) {
        throw std::runtime_error("not a RIFF/WAVE file: " + path);
    }
    if (u32_at(bytes, 4) + 8 != bytes.size()) throw std::runtime_error("RIFF size is wrong");

    WavFile wav;
    bool have_format = false;
    for (std::size_t at = 12; at + 8 <= bytes.size();) {
        const std::uint32_t size = u32_at(bytes, at + 4);
        const std::size_t body = at + 8;
        if (body + size > bytes.size()) throw std::runtime_error("chunk runs past the file end");
        if (tag_at(bytes, at, "fmt ")) {
            wav.format_tag = u16_at(bytes, body);
            wav.channels = u16_at(bytes, body + 2);
            wav.sample_rate = static_cast<int>(u32_at(bytes, body + 4));
            wav.byte_rate = u32_at(bytes, body + 8);
            wav.block_align = u16_at(bytes, body + 12);
            wav.bits_per_sample = u16_at(bytes, body + 14);
            have_format = true;
        } else if (tag_at(bytes, at, "data")) {
            if (!have_format) throw std::runtime_error("data chunk before fmt chunk");
            if (wav.bits_per_sample == 16) {
                for (std::size_t i = body; i + 1 < body + size; i += 2) {
                    wav.samples.push_back(static_cast<std::int16_t>(u16_at(bytes, i)));
                }
            }
            return wav;
        }
        at = body + size + (size & 1);  // chunks are padded to an even length
    }
    throw std::runtime_error("no data chunk in " + path);
}

}  // namespace lumenvale::music::testing
