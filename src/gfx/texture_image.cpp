#include "gfx/texture_image.h"

#include <stb/stb_image.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <limits>
#include <vector>

#include "base/content_file.h"
#include "gfx/texture_jpeg.h"

namespace {

constexpr unsigned char kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
// Signature, then the IHDR chunk's length, type and its first fields.
constexpr std::size_t kIhdrTypeAt = 12, kWidthAt = 16, kHeightAt = 20, kBitDepthAt = 24,
                      kColourTypeAt = 25, kHeaderBytes = 26;
// The decoder keeps HDR samples as floats before it converts them to bytes.
constexpr std::uint64_t kHdrBytesPerSample = 4;

std::uint32_t BigEndian32(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3];
}

int SamplesPerPixel(int colourType) {
    switch (colourType) {
        case 0:
            return 1;  // grey
        case 2:
            return 3;  // RGB
        case 3:
            return 1;  // palette index
        case 4:
            return 2;  // grey + alpha
        case 6:
            return 4;  // RGBA
        default:
            return 0;
    }
}

TextureImageResult ImageFailure(std::string why) {
    return {{}, std::move(why), ""};
}

bool IsPng(const unsigned char* bytes, std::size_t size) {
    return size >= sizeof kPngSignature &&
           std::memcmp(bytes, kPngSignature, sizeof kPngSignature) == 0;
}

// The decoder grows its buffer to whatever a chunk claims before it reads the chunk, so a few
// bytes claiming a gigabyte would cost a gigabyte: every chunk must lie inside the file.
std::string PngChunkProblem(const unsigned char* bytes, std::size_t size) {
    constexpr std::size_t kChunkOverhead = 12;  // length, type and checksum
    for (std::size_t at = sizeof kPngSignature; at + kChunkOverhead <= size;) {
        const std::uint64_t length = BigEndian32(bytes + at);
        if (at + kChunkOverhead + length > size)
            return "PNG chunk claims " + std::to_string(length) +
                   " bytes, more than the file holds";
        if (std::memcmp(bytes + at + 4, "IEND", 4) == 0) return "";
        at += kChunkOverhead + length;
    }
    return "PNG file ends before its last chunk";
}

// What a PNG's header claims that its file cannot hold.
std::string PngProblem(const unsigned char* bytes, std::size_t size) {
    if (size < kHeaderBytes || std::memcmp(bytes + kIhdrTypeAt, "IHDR", 4) != 0)
        return "PNG header is cut short";
    const std::uint32_t width = BigEndian32(bytes + kWidthAt);
    const std::uint32_t height = BigEndian32(bytes + kHeightAt);
    if (width == 0 || height == 0) return "PNG header gives an empty image";
    const int samples = SamplesPerPixel(bytes[kColourTypeAt]);
    if (samples == 0) return "PNG header gives an unknown colour type";
    const std::uint64_t rowBytes = (std::uint64_t{width} * samples * bytes[kBitDepthAt] + 7) / 8;
    const std::uint64_t rawBytes = height * (1 + rowBytes);  // each row starts with a filter byte
    if (rawBytes > kMaxPngInflateRatio * size)
        return "PNG header claims " + std::to_string(rawBytes) + " bytes of pixels, more than " +
               std::to_string(size) + " bytes of file can hold";
    return PngChunkProblem(bytes, size);
}

std::string SizeText(std::uint64_t width, std::uint64_t height) {
    return std::to_string(width) + "x" + std::to_string(height);
}

std::string Mebibytes(std::uint64_t bytes) {
    return std::to_string((bytes + (1u << 20) - 1) >> 20) + " MiB";
}

// The decoder takes any number of 0xFF fill bytes before the start marker.
bool IsJpeg(const unsigned char* bytes, std::size_t size) {
    std::size_t at = 0;
    while (at < size && bytes[at] == 0xFF) ++at;
    return at > 0 && at < size && bytes[at] == 0xD8;
}

// The decoder loops for ever on a run-length-encoded scanline that holds a run of length 0, and
// reads zeros, which are such runs, past the end of the file. So every encoded scanline is
// walked here first: each run must have a length and lie inside the file.
std::string HdrProblem(const unsigned char* bytes, std::size_t size, int width, int height) {
    if (width < 8 || width >= 32768) return "";  // stored flat: the decoder's reads are bounded
    const unsigned char* text = bytes;
    const unsigned char* end = bytes + size;
    const unsigned char blank[] = {'\n', '\n'};
    const unsigned char* at = std::search(text, end, blank, blank + 2);
    if (at != end) at = std::find(at + 2, end, '\n');
    if (at == end) return "HDR header has no picture after it";
    ++at;  // the first scanline
    const auto ends = [&](std::size_t bytesWanted) {
        return static_cast<std::size_t>(end - at) < bytesWanted;
    };
    for (int row = 0; row < height; ++row) {
        if (ends(4)) return "HDR file ends before its last scanline";
        if (at[0] != 2 || at[1] != 2 || (at[2] & 0x80)) return "";  // the rest is stored flat
        at += 4;
        for (int channel = 0; channel < 4; ++channel) {
            for (int filled = 0; filled < width;) {
                if (ends(1)) return "HDR file ends before its last scanline";
                const int count = *at++;
                if (count == 0) return "HDR scanline has a run of length 0";
                const int length = count > 128 ? count - 128 : count;
                const std::size_t stored = count > 128 ? 1 : static_cast<std::size_t>(count);
                if (ends(stored)) return "HDR file ends before its last scanline";
                at += stored;
                filled += length;
            }
        }
    }
    return "";
}

bool IsPnm(const unsigned char* bytes, std::size_t size) {
    return size >= 2 && bytes[0] == 'P' && (bytes[1] == '5' || bytes[1] == '6');
}

// The decoder reads the header's numbers into an int without a bound: each of width, height and
// largest value must fit. `samplesAt` is where the samples start, after one blank.
std::string PnmHeaderProblem(const unsigned char* bytes, std::size_t size, std::size_t& samplesAt) {
    constexpr int kMaxDigits = 9;
    std::size_t at = 2;
    for (int number = 0; number < 3; ++number) {
        while (at < size && (std::isspace(bytes[at]) || bytes[at] == '#')) {
            if (bytes[at] == '#')
                while (at < size && bytes[at] != '\n' && bytes[at] != '\r') ++at;
            else
                ++at;
        }
        int digits = 0;
        for (; at < size && std::isdigit(bytes[at]); ++at)
            if (++digits > kMaxDigits) return "PNM header holds a number too large to be a size";
    }
    samplesAt = at + 1;
    return "";
}

// PNM samples are stored raw after the header, so the file must hold them all: the decoder
// reads past its buffer when a 16-bit file falls short.
std::string PnmProblem(const unsigned char* bytes, std::size_t size, std::size_t samplesAt,
                       int width, int height, int channels) {
    const std::uint64_t sampleBytes =
        stbi_is_16_bit_from_memory(bytes, static_cast<int>(size)) ? 2 : 1;
    const std::uint64_t needed = std::uint64_t{static_cast<std::uint32_t>(width)} *
                                 static_cast<std::uint32_t>(height) * channels * sampleBytes;
    if (samplesAt > size || needed > size - samplesAt)
        return "PNM header claims " + std::to_string(needed) +
               " bytes of pixels, more than the file holds after it";
    return "";
}

bool IsPsd(const unsigned char* bytes, std::size_t size) {
    return size >= 4 && std::memcmp(bytes, "8BPS", 4) == 0;
}

// Reads a file the way the decoder does: big-endian fields, zeros past the end.
class PsdReader {
  public:
    PsdReader(const unsigned char* bytes, std::size_t size) : bytes(bytes), size(size) {}
    unsigned Byte() { return at < size ? bytes[at++] : (at++, 0u); }
    std::uint32_t Big(int count) {
        std::uint32_t value = 0;
        for (int i = 0; i < count; ++i) value = value << 8 | Byte();
        return value;
    }
    // A length above what an int holds sends the decoder to the end of the file.
    void Skip(std::uint32_t count) { at = count > 0x7FFFFFFFu ? size : at + count; }

  private:
    const unsigned char* bytes;
    std::size_t size;
    std::uint64_t at = 0;
};

// A PSD with transparency holds its colours blended with white, and the decoder takes the white
// out again: a colour darker than its alpha allows would come out below zero, which the decoder
// turns into a byte without a check. So the red, green, blue and alpha planes are read here as
// the decoder reads them, and each partly transparent pixel is put through its sums first.
std::string PsdProblem(const unsigned char* bytes, std::size_t size, int width, int height) {
    PsdReader file(bytes, size);
    file.Skip(12);  // signature, version, reserved
    const std::uint32_t channels = file.Big(2);
    file.Skip(8);  // height and width, as the header read gave them
    const std::uint32_t depth = file.Big(2);
    file.Skip(2);  // colour mode
    for (int section = 0; section < 3; ++section) file.Skip(file.Big(4));
    const std::uint32_t compression = file.Big(2);
    if (channels < 4 || (depth != 8 && depth != 16) || compression > 1) return "";
    const std::size_t pixels =
        std::size_t{static_cast<std::uint32_t>(width)} * static_cast<std::uint32_t>(height);
    std::vector<unsigned char> planes(4 * pixels);
    if (compression == 1) {
        file.Skip(static_cast<std::uint32_t>(height) * channels * 2);  // each row's byte count
        for (int plane = 0; plane < 4; ++plane) {
            unsigned char* out = &planes[plane * pixels];
            for (std::size_t filled = 0; filled < pixels;) {
                const unsigned count = file.Byte();
                if (count == 128) continue;
                const std::size_t run = count < 128 ? count + 1 : 257 - count;
                if (run > pixels - filled) return "";  // the decoder refuses this itself
                if (count < 128) {
                    for (std::size_t i = 0; i < run; ++i) out[filled++] = file.Byte();
                } else {
                    std::fill_n(out + filled, run, static_cast<unsigned char>(file.Byte()));
                    filled += run;
                }
            }
        }
    } else {
        for (unsigned char& sample : planes)
            sample = static_cast<unsigned char>(depth == 16 ? file.Big(2) >> 8 : file.Byte());
    }
    for (std::size_t i = 0; i < pixels; ++i) {
        const unsigned alpha = planes[3 * pixels + i];
        if (alpha == 0 || alpha == 255) continue;
        // The decoder's own sums, in its own order.
        const float a = alpha / 255.0f;
        const float ra = 1.0f / a;
        const float inverse = 255.0f * (1 - ra);
        for (int plane = 0; plane < 3; ++plane) {
            const float value = planes[plane * pixels + i] * ra + inverse;
            if (!(value > -1.0f && value < 256.0f))
                return "PSD colours do not fit the white background their transparency was "
                       "blended with";
        }
    }
    return "";
}

// Grey samples repeated into `channels` channels (an alpha channel, if asked for, opaque), in a
// buffer the decoder's own release frees.
TextureImage::Pixels WidenGrey(const unsigned char* grey, int width, int height, int channels) {
    const std::size_t count =
        std::size_t{static_cast<std::uint32_t>(width)} * static_cast<std::uint32_t>(height);
    TextureImage::Pixels wide(static_cast<unsigned char*>(std::malloc(count * channels)));
    if (!wide) return wide;
    for (std::size_t i = 0; i < count; ++i)
        for (int c = 0; c < channels; ++c) wide.get()[i * channels + c] = c < 3 ? grey[i] : 255;
    return wide;
}

}  // namespace

std::string TextureSizeProblem(int width, int height, std::uint64_t decodeBytes,
                               const TextureLimits& limits) {
    if (width <= 0 || height <= 0) return "the image is empty";
    if (width > limits.maxSide || height > limits.maxSide)
        return "image of " + SizeText(width, height) + " is larger than the " +
               SizeText(limits.maxSide, limits.maxSide) + " the OpenGL driver takes";
    if (decodeBytes > kMaxTextureBytes)
        return "image of " + SizeText(width, height) + " needs " + Mebibytes(decodeBytes) +
               " to decode, more than the " + Mebibytes(kMaxTextureBytes) + " one texture may take";
    if (decodeBytes > limits.maxBytes)
        return "image of " + SizeText(width, height) + " needs " + Mebibytes(decodeBytes) +
               ", but the textures loaded so far take " + Mebibytes(limits.budgetUsed) +
               " of the " + Mebibytes(kTextureBudgetBytes) + " all textures may take";
    return "";
}

std::string JpegBlocksProblem(std::uint64_t blocks, std::size_t fileBytes, int width, int height) {
    if (blocks <= 8 * std::uint64_t{fileBytes}) return "";
    return "JPEG header claims a " + SizeText(width, height) + " picture, more than " +
           std::to_string(fileBytes) + " bytes of file can hold";
}

void TextureImage::Free::operator()(unsigned char* pixels) const {
    stbi_image_free(pixels);
}

std::uint64_t TextureImage::Bytes() const {
    return std::uint64_t{static_cast<std::uint32_t>(width)} * static_cast<std::uint32_t>(height) *
           static_cast<std::uint32_t>(uploadChannels);
}

TextureImageResult DecodeTextureImage(const unsigned char* bytes, std::size_t size,
                                      const TextureLimits& limits) {
    if (size == 0) return ImageFailure("the file is empty");
    if (size > static_cast<std::size_t>(std::numeric_limits<int>::max()))
        return ImageFailure("the file is too large to decode");
    if (IsPng(bytes, size)) {
        if (const std::string problem = PngProblem(bytes, size); !problem.empty())
            return ImageFailure(problem);
    }
    std::size_t pnmSamplesAt = 0;
    if (IsPnm(bytes, size)) {
        if (const std::string problem = PnmHeaderProblem(bytes, size, pnmSamplesAt);
            !problem.empty())
            return ImageFailure(problem);
    }
    if (IsJpeg(bytes, size)) {
        if (std::optional<TextureImageResult> jpeg = DecodeJpegTexture(bytes, size, limits))
            return std::move(*jpeg);
    }

    const int length = static_cast<int>(size);
    int width = 0, height = 0, fileChannels = 0;
    if (!stbi_info_from_memory(bytes, length, &width, &height, &fileChannels))
        return ImageFailure(stbi_failure_reason());
    // A PIC file the decoder fails on leaves it converting a null picture to any other channel
    // count; asked for the 4 channels it decodes to, it reports the failure instead.
    const bool pic = size >= 4 && std::memcmp(bytes, "\x53\x80\xF6\x34", 4) == 0;
    const int uploadChannels = fileChannels == 2 || fileChannels == 4 || pic ? 4 : 3;
    std::uint64_t decodeBytes = std::uint64_t{static_cast<std::uint32_t>(width)} *
                                static_cast<std::uint32_t>(height) * uploadChannels;
    const bool hdr = stbi_is_hdr_from_memory(bytes, length);
    if (hdr) decodeBytes *= kHdrBytesPerSample;
    if (const std::string problem = TextureSizeProblem(width, height, decodeBytes, limits);
        !problem.empty())
        return ImageFailure(problem);
    if (hdr) {
        if (const std::string problem = HdrProblem(bytes, size, width, height); !problem.empty())
            return ImageFailure(problem);
    }
    if (IsPnm(bytes, size)) {
        if (const std::string problem =
                PnmProblem(bytes, size, pnmSamplesAt, width, height, fileChannels);
            !problem.empty())
            return ImageFailure(problem);
    }
    if (IsPsd(bytes, size)) {
        if (const std::string problem = PsdProblem(bytes, size, width, height); !problem.empty())
            return ImageFailure(problem);
    }

    // The decoder converts a 16-bit PNM to another channel count as if its samples were 8-bit
    // and then reads twice the buffer it made: such a file is decoded with its own channels and
    // widened here.
    const bool widenHere = IsPnm(bytes, size) && stbi_is_16_bit_from_memory(bytes, length) &&
                           fileChannels != uploadChannels;
    stbi_set_flip_vertically_on_load(1);
    TextureImage image;
    image.pixels.reset(stbi_load_from_memory(bytes, length, &width, &height, &fileChannels,
                                             widenHere ? fileChannels : uploadChannels));
    if (!image.pixels) return ImageFailure(stbi_failure_reason());
    if (widenHere) image.pixels = WidenGrey(image.pixels.get(), width, height, uploadChannels);
    if (!image.pixels) return ImageFailure("out of memory");
    image.width = width;
    image.height = height;
    image.fileChannels = fileChannels;
    image.uploadChannels = uploadChannels;
    return {std::move(image), "", ""};
}

TextureImageResult LoadTextureImage(const std::string& path, const TextureLimits& limits) {
    ContentFile file = ReadContentFile(path, kMaxTextureFileBytes);
    // A missing file keeps the decoder's own words for it, and for a relative path the next
    // line says where it was looked for: a film started from another folder finds none of its
    // textures.
    if (file.error == "no such file") {
        TextureImageResult missing = ImageFailure("can't fopen");
        std::error_code unknown;
        if (std::filesystem::path(path).is_relative())
            missing.hint = "No such file under the working directory " +
                           std::filesystem::current_path(unknown).string();
        return missing;
    }
    if (!file.error.empty()) return ImageFailure(file.error);
    return DecodeTextureImage(reinterpret_cast<const unsigned char*>(file.bytes.data()),
                              file.bytes.size(), limits);
}
