// JPEG where no dedicated decoder is at hand (the Windows and browser builds): the general image
// decoder takes the file, once the faults the fuzzer found in its JPEG code are ruled out here.
#include <algorithm>

#include "gfx/texture_jpeg.h"

namespace {

// The decoder fills a 257-entry table from a Huffman table's code counts without checking that
// they add up to at most 256. In the coded data every 0xFF byte is followed by 0 or a restart
// marker, so each 0xFF 0xC4 in the file starts a real table definition, and all are checked.
std::string JpegProblem(const unsigned char* bytes, std::size_t size) {
    constexpr std::size_t kCounts = 16, kMaxCodes = 256;
    for (std::size_t at = 2; at + 4 <= size; ++at) {
        if (bytes[at] != 0xFF || bytes[at + 1] != 0xC4) continue;
        const std::size_t end =
            std::min(size, at + 2 + (std::size_t{bytes[at + 2]} << 8 | bytes[at + 3]));
        for (std::size_t table = at + 4; table < end;) {
            // A table cut off by the end of the file still counts: the decoder reads zeros on.
            std::size_t codes = 0;
            for (std::size_t i = 0; i < kCounts && table + 1 + i < size; ++i)
                codes += bytes[table + 1 + i];
            if (codes > kMaxCodes) return "JPEG Huffman table holds more than 256 codes";
            table += 1 + kCounts + codes;
        }
    }
    return "";
}

// The 8×8 blocks of all components of the frame header at `from`, with the picture's size.
std::uint64_t FrameBlocks(const unsigned char* bytes, std::size_t from, std::size_t end, int& width,
                          int& height) {
    if (from + 6 > end) return 0;
    height = bytes[from + 1] << 8 | bytes[from + 2];
    width = bytes[from + 3] << 8 | bytes[from + 4];
    const std::size_t components = bytes[from + 5];
    int maxH = 1, maxV = 1;
    for (std::size_t c = 0; c < components && from + 8 + 3 * c <= end; ++c) {
        maxH = std::max(maxH, bytes[from + 7 + 3 * c] >> 4);
        maxV = std::max(maxV, bytes[from + 7 + 3 * c] & 15);
    }
    std::uint64_t blocks = 0;
    for (std::size_t c = 0; c < components && from + 8 + 3 * c <= end; ++c) {
        const std::uint64_t h = bytes[from + 7 + 3 * c] >> 4, v = bytes[from + 7 + 3 * c] & 15;
        blocks +=
            (width * h + 8 * maxH - 1) / (8 * maxH) * ((height * v + 8 * maxV - 1) / (8 * maxV));
    }
    return blocks;
}

// The decoder's Huffman tables hold whatever memory held until a table definition fills them, so
// a scan that names a table no definition filled decodes with garbage indices. Each scan's
// tables must be defined before it (in a progressive file, a DC scan needs only its DC tables
// and an AC scan only its AC tables). The decoder also reads zeros on past the end of a cut file
// and takes a header's size at its word: a file must hold as many bits as its picture has blocks,
// and reach its end marker.
std::string JpegScanProblem(const unsigned char* bytes, std::size_t size) {
    bool defined[2][4] = {};
    bool progressive = false;
    std::size_t at = 0;
    while (at < size && bytes[at] == 0xFF) ++at;
    for (++at;;) {
        if (at + 2 > size) return kJpegCutShort;
        const unsigned char marker = bytes[at + 1];
        if (bytes[at] != 0xFF || marker == 0xFF) {  // coded data, or fill before a marker
            ++at;
            continue;
        }
        if (marker == 0x00 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
            at += 2;
            continue;
        }
        if (marker == 0xD9) break;
        if (at + 4 > size) return kJpegCutShort;
        const std::size_t length = std::size_t{bytes[at + 2]} << 8 | bytes[at + 3];
        const std::size_t from = at + 4, end = std::min(size, at + 2 + length);
        if (marker == 0xC2) progressive = true;
        if (marker >= 0xC0 && marker <= 0xC2) {
            int width = 0, height = 0;
            const std::uint64_t blocks = FrameBlocks(bytes, from, end, width, height);
            if (std::string problem = JpegBlocksProblem(blocks, size, width, height);
                !problem.empty())
                return problem;
        }
        for (std::size_t table = from; marker == 0xC4 && table < end;) {
            const int kind = bytes[table] >> 4, slot = bytes[table] & 15;
            if (kind < 2 && slot < 4) defined[kind][slot] = true;
            std::size_t codes = 0;
            for (std::size_t i = 0; i < 16 && table + 1 + i < size; ++i)
                codes += bytes[table + 1 + i];
            table += 17 + codes;
        }
        if (marker == 0xDA && from < end) {
            const std::size_t components = bytes[from];
            const std::size_t spectralAt = from + 1 + 2 * components;
            const bool dcScan = spectralAt >= size || bytes[spectralAt] == 0;
            for (std::size_t c = 0; c < components && from + 2 + 2 * c < size; ++c) {
                const int dc = bytes[from + 2 + 2 * c] >> 4, ac = bytes[from + 2 + 2 * c] & 15;
                const bool dcMissing = (!progressive || dcScan) && (dc > 3 || !defined[0][dc]);
                const bool acMissing = (!progressive || !dcScan) && (ac > 3 || !defined[1][ac]);
                if (dcMissing || acMissing)
                    return "JPEG scan uses a Huffman table the file does not define before it";
            }
        }
        at += 2 + length;
    }
    return "";
}

}  // namespace

std::optional<TextureImageResult> DecodeJpegTexture(const unsigned char* bytes, std::size_t size,
                                                    const TextureLimits&) {
    for (const std::string& problem : {JpegProblem(bytes, size), JpegScanProblem(bytes, size)})
        if (!problem.empty()) return TextureImageResult{{}, problem, ""};
    return std::nullopt;
}
