#include "audio/wav_header.h"

#include <array>
#include <cstring>
#include <fstream>

#include "base/content_file.h"

namespace {

constexpr uint16_t kFormatExtensible = 0xFFFE;
constexpr uint32_t kPcmFormatChunkSize = 16;
// Extensible headers add cbSize, valid bits, channel mask and a 16-byte sub-format GUID.
constexpr uint32_t kExtensibleFormatChunkSize = 40;
constexpr size_t kSubFormatOffset = 24;
// Streaming recorders write the data chunk before they know its length.
constexpr uint32_t kUnknownLength = 0xFFFFFFFF;

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

WavHeaderResult HeaderFailure(std::string why) {
    return {std::nullopt, std::move(why)};
}

bool BitsFit(uint16_t formatTag, uint16_t bits) {
    if (formatTag == kWavFormatFloat) return bits == 32 || bits == 64;
    return bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

// Checks the fields of a "fmt " chunk; empty when a device can play what it describes.
std::string FormatProblem(const WavHeader& h) {
    if (h.formatTag != kWavFormatPcm && h.formatTag != kWavFormatFloat)
        return "format tag " + std::to_string(h.formatTag) + " is neither PCM nor float";
    if (h.channels == 0) return "the header gives 0 channels";
    if (h.channels > kMaxWavChannels)
        return "the header gives " + std::to_string(h.channels) + " channels";
    if (h.sampleRate < kMinWavSampleRate || h.sampleRate > kMaxWavSampleRate)
        return "the header gives a sample rate of " + std::to_string(h.sampleRate) + " Hz";
    if (!BitsFit(h.formatTag, h.bitsPerSample))
        return "the header gives " + std::to_string(h.bitsPerSample) + " bits per sample";
    if (h.blockAlign != h.channels * (h.bitsPerSample / 8))
        return "the header's block size " + std::to_string(h.blockAlign) +
               " does not match its channels and bits";
    return "";
}

// Reads the "fmt " chunk's body into `header`; empty on success.
std::string ReadFormat(std::istream& in, uint32_t size, uint64_t body, uint64_t fileSize,
                       WavHeader& header) {
    if (size < kPcmFormatChunkSize || body + size > fileSize)
        return "the format chunk is cut short";
    std::array<unsigned char, kExtensibleFormatChunkSize> fmt{};
    const size_t wanted = size < fmt.size() ? size : fmt.size();
    if (!ReadBytes(in, fmt.data(), wanted)) return "the format chunk is cut short";
    header.formatTag = U16(fmt.data());
    header.channels = U16(fmt.data() + 2);
    header.sampleRate = U32(fmt.data() + 4);
    header.blockAlign = U16(fmt.data() + 12);
    header.bitsPerSample = U16(fmt.data() + 14);
    if (header.formatTag == kFormatExtensible) {
        if (wanted < kExtensibleFormatChunkSize) return "the extensible format chunk is cut short";
        header.formatTag = U16(fmt.data() + kSubFormatOffset);
    }
    return FormatProblem(header);
}

}  // namespace

WavHeaderResult ParseWavHeader(std::istream& in) {
    in.seekg(0, std::ios::end);
    const std::streamoff end = in.tellg();
    in.seekg(0, std::ios::beg);
    if (end < 0) return HeaderFailure("the file cannot be measured");
    const uint64_t fileSize = static_cast<uint64_t>(end);

    std::array<unsigned char, 12> riff{};
    if (!ReadBytes(in, riff.data(), riff.size()) || std::memcmp(riff.data(), "RIFF", 4) != 0 ||
        std::memcmp(riff.data() + 8, "WAVE", 4) != 0)
        return HeaderFailure("not a RIFF/WAVE file");

    WavHeader header;
    bool haveFormat = false, haveData = false;
    unsigned chunks = 0;
    // Every chunk takes at least its 8-byte head, so the walk ends within the file's size.
    for (uint64_t at = riff.size(); at + 8 <= fileSize;) {
        if (++chunks > kMaxWavChunks)
            return HeaderFailure("the file has more than " + std::to_string(kMaxWavChunks) +
                                 " chunks");
        std::array<unsigned char, 8> head{};
        in.seekg(static_cast<std::streamoff>(at));
        if (!ReadBytes(in, head.data(), head.size())) break;
        uint64_t size = U32(head.data() + 4);
        const uint64_t body = at + 8;
        const std::string tag(reinterpret_cast<const char*>(head.data()), 4);

        if (tag == "fmt ") {
            if (haveFormat) return HeaderFailure("the file has a second format chunk");
            if (std::string problem =
                    ReadFormat(in, static_cast<uint32_t>(size), body, fileSize, header);
                !problem.empty())
                return HeaderFailure(problem);
            haveFormat = true;
        } else if (tag == "data") {
            if (haveData) return HeaderFailure("the file has a second data chunk");
            if (!haveFormat) return HeaderFailure("the samples come before the format chunk");
            if (size == 0 || size == kUnknownLength) size = fileSize - body;
            if (body + size > fileSize)
                return HeaderFailure("the data chunk claims " + std::to_string(size) +
                                     " bytes but the file holds " +
                                     std::to_string(fileSize - body));
            header.dataOffset = body;
            header.dataSize = size - size % header.blockAlign;
            if (header.dataSize == 0) return HeaderFailure("the data chunk holds no samples");
            haveData = true;
        }
        at = body + size + (size & 1);  // chunks are padded to an even length
    }
    if (!haveData)
        return HeaderFailure(haveFormat ? "there is no data chunk" : "there is no format chunk");
    return {header, ""};
}

WavHeaderResult ReadWavHeader(const std::string& path) {
    if (const std::string problem = ContentFileProblem(path, kMaxWavFileBytes); !problem.empty())
        return HeaderFailure(problem == "no such file" ? "the file cannot be opened" : problem);
    std::ifstream in(path, std::ios::binary);
    if (!in) return HeaderFailure("the file cannot be opened");
    return ParseWavHeader(in);
}
