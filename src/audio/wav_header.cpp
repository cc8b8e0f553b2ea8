#include "audio/wav_header.h"

#include <array>
#include <cstring>
#include <fstream>

namespace {

constexpr uint16_t kFormatPcm = 1;
constexpr uint16_t kFormatExtensible = 0xFFFE;
constexpr uint32_t kPcmFormatChunkSize = 16;
// Extensible headers add cbSize, valid bits, channel mask and a 16-byte sub-format GUID.
constexpr uint32_t kExtensibleFormatChunkSize = 40;
constexpr size_t kSubFormatOffset = 24;

uint16_t U16(const unsigned char* p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

uint32_t U32(const unsigned char* p) {
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
}

bool ReadBytes(std::istream& in, unsigned char* out, size_t count) {
    in.read(reinterpret_cast<char*>(out), static_cast<std::streamsize>(count));
    return static_cast<size_t>(in.gcount()) == count;
}

WavHeaderResult Failure(std::string why) {
    return {std::nullopt, std::move(why)};
}

// Checks the fields of a "fmt " chunk; empty when a device can play what it describes.
std::string FormatProblem(const WavHeader& h) {
    if (h.formatTag != kFormatPcm && h.formatTag != kFormatExtensible)
        return "format tag " + std::to_string(h.formatTag) + " is not PCM";
    if (h.channels == 0) return "the header gives 0 channels";
    if (h.channels > kMaxWavChannels)
        return "the header gives " + std::to_string(h.channels) + " channels";
    if (h.sampleRate == 0 || h.sampleRate > kMaxWavSampleRate)
        return "the header gives a sample rate of " + std::to_string(h.sampleRate) + " Hz";
    if (h.bitsPerSample != 8 && h.bitsPerSample != 16 && h.bitsPerSample != 24 &&
        h.bitsPerSample != 32)
        return "the header gives " + std::to_string(h.bitsPerSample) + " bits per sample";
    if (h.blockAlign != h.channels * (h.bitsPerSample / 8))
        return "the header's block size " + std::to_string(h.blockAlign) +
               " does not match its channels and bits";
    return "";
}

}  // namespace

WavHeaderResult ParseWavHeader(std::istream& in) {
    in.seekg(0, std::ios::end);
    const std::streamoff end = in.tellg();
    in.seekg(0, std::ios::beg);
    if (end < 0) return Failure("the file cannot be measured");
    const uint64_t fileSize = static_cast<uint64_t>(end);

    std::array<unsigned char, 12> riff{};
    if (!ReadBytes(in, riff.data(), riff.size()) || std::memcmp(riff.data(), "RIFF", 4) != 0 ||
        std::memcmp(riff.data() + 8, "WAVE", 4) != 0)
        return Failure("not a RIFF/WAVE file");

    WavHeader header;
    bool haveFormat = false;
    // Every chunk takes at least its 8-byte head, so the walk ends within the file's size.
    for (uint64_t at = riff.size(); at + 8 <= fileSize;) {
        std::array<unsigned char, 8> head{};
        in.seekg(static_cast<std::streamoff>(at));
        if (!ReadBytes(in, head.data(), head.size())) break;
        const uint32_t size = U32(head.data() + 4);
        const uint64_t body = at + 8;
        const std::string tag(reinterpret_cast<const char*>(head.data()), 4);

        if (tag == "fmt ") {
            if (size < kPcmFormatChunkSize || body + size > fileSize)
                return Failure("the format chunk is cut short");
            std::array<unsigned char, kExtensibleFormatChunkSize> fmt{};
            const size_t wanted = size < fmt.size() ? size : fmt.size();
            if (!ReadBytes(in, fmt.data(), wanted)) return Failure("the format chunk is cut short");
            header.formatTag = U16(fmt.data());
            header.channels = U16(fmt.data() + 2);
            header.sampleRate = U32(fmt.data() + 4);
            header.blockAlign = U16(fmt.data() + 12);
            header.bitsPerSample = U16(fmt.data() + 14);
            if (header.formatTag == kFormatExtensible &&
                (wanted < kExtensibleFormatChunkSize ||
                 U16(fmt.data() + kSubFormatOffset) != kFormatPcm))
                return Failure("the extensible format is not PCM");
            const std::string problem = FormatProblem(header);
            if (!problem.empty()) return Failure(problem);
            haveFormat = true;
        } else if (tag == "data") {
            if (!haveFormat) return Failure("the samples come before the format chunk");
            if (body + size > fileSize)
                return Failure("the data chunk claims " + std::to_string(size) +
                               " bytes but the file holds " + std::to_string(fileSize - body));
            header.dataOffset = body;
            header.dataSize = size - size % header.blockAlign;
            if (header.dataSize == 0) return Failure("the data chunk holds no samples");
            return {header, ""};
        }
        at = body + size + (size & 1);  // chunks are padded to an even length
    }
    return Failure(haveFormat ? "there is no data chunk" : "there is no format chunk");
}

WavHeaderResult ReadWavHeader(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return Failure("the file cannot be opened");
    return ParseWavHeader(in);
}
