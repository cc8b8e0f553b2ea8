#include "gfx/texture_image.h"

#include <stb/stb_image.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

namespace {

constexpr unsigned char kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
// Signature, then the IHDR chunk's length, type and its first fields.
constexpr std::size_t kIhdrTypeAt = 12, kWidthAt = 16, kHeightAt = 20, kBitDepthAt = 24,
                      kColourTypeAt = 25, kHeaderBytes = 26;
// Even a bomb cannot claim more than the side limit allows, so no sane texture file is larger.
constexpr std::uint64_t kMaxPngFileBytes = 64ull << 20;

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

TextureImageResult Failure(std::string why) {
    return {{}, std::move(why)};
}

// The size the header claims, checked against the limits before a single pixel is decoded.
std::string HeaderProblem(const unsigned char* bytes, std::size_t size) {
    if (size < kHeaderBytes || std::memcmp(bytes + kIhdrTypeAt, "IHDR", 4) != 0)
        return "PNG header is cut short";
    const std::uint32_t width = BigEndian32(bytes + kWidthAt);
    const std::uint32_t height = BigEndian32(bytes + kHeightAt);
    if (width == 0 || height == 0) return "PNG header gives an empty image";
    if (width > kMaxTextureSide || height > kMaxTextureSide)
        return "image of " + std::to_string(width) + "x" + std::to_string(height) +
               " is larger than " + std::to_string(kMaxTextureSide) + "x" +
               std::to_string(kMaxTextureSide);
    const int samples = SamplesPerPixel(bytes[kColourTypeAt]);
    if (samples == 0) return "PNG header gives an unknown colour type";
    const std::uint64_t rowBytes = (std::uint64_t{width} * samples * bytes[kBitDepthAt] + 7) / 8;
    const std::uint64_t rawBytes = height * (1 + rowBytes);  // each row starts with a filter byte
    if (rawBytes > kMaxPngInflateRatio * size)
        return "PNG header claims " + std::to_string(rawBytes) + " bytes of pixels, more than " +
               std::to_string(size) + " bytes of file can hold";
    return "";
}

}  // namespace

void TextureImage::Free::operator()(unsigned char* pixels) const {
    stbi_image_free(pixels);
}

TextureImageResult DecodeTextureImage(const unsigned char* bytes, std::size_t size) {
    if (size < sizeof kPngSignature || std::memcmp(bytes, kPngSignature, sizeof kPngSignature) != 0)
        return Failure("not a PNG image");
    if (const std::string problem = HeaderProblem(bytes, size); !problem.empty())
        return Failure(problem);

    const int length = static_cast<int>(size);
    int width = 0, height = 0, fileChannels = 0;
    if (!stbi_info_from_memory(bytes, length, &width, &height, &fileChannels))
        return Failure(stbi_failure_reason());
    const int uploadChannels = fileChannels == 2 || fileChannels == 4 ? 4 : 3;

    stbi_set_flip_vertically_on_load(1);
    TextureImage image;
    image.pixels.reset(
        stbi_load_from_memory(bytes, length, &width, &height, &fileChannels, uploadChannels));
    if (!image.pixels) return Failure(stbi_failure_reason());
    image.width = width;
    image.height = height;
    image.fileChannels = fileChannels;
    image.uploadChannels = uploadChannels;
    return {std::move(image), ""};
}

TextureImageResult LoadTextureImage(const std::string& path) {
    std::error_code ignored;
    if (std::filesystem::is_directory(path, ignored)) return Failure("is a folder, not a file");
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) return Failure("can't fopen");
    const std::streamoff size = in.tellg();
    if (size < 0) return Failure("can't read");
    if (static_cast<std::uint64_t>(size) > kMaxPngFileBytes)
        return Failure("file of " + std::to_string(size) + " bytes is too large for a texture");
    std::vector<unsigned char> bytes(static_cast<std::size_t>(size));
    in.seekg(0);
    if (!in.read(reinterpret_cast<char*>(bytes.data()), size)) return Failure("can't read");
    return DecodeTextureImage(bytes.data(), bytes.size());
}
