#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

// Every format the image decoder reads is accepted: PNG, JPEG, BMP, TGA, GIF (its first frame),
// PSD (the composited image), HDR, PNM and PIC. What protects memory is the size the header
// claims, checked before anything is decoded.

// One decoded image may take at most this much: 8192² RGBA, far beyond what a 1920×1080 frame
// can show. HDR images count four bytes a sample, as the decoder holds them in floats first.
constexpr std::uint64_t kMaxTextureBytes = 256ull << 20;
// All the textures of a run together: the same file named by a thousand materials is decoded a
// thousand times, and each copy stays in the driver's memory.
constexpr std::uint64_t kTextureBudgetBytes = 512ull << 20;
// An uncompressed image of the largest size, with room for its header.
constexpr std::uint64_t kMaxTextureFileBytes = kMaxTextureBytes + (1ull << 20);
// Deflate packs at most 1032 bytes into one, so a PNG whose header claims more raw pixel bytes
// than that many times its own size cannot hold them: it is cut short or a decompression bomb.
constexpr std::size_t kMaxPngInflateRatio = 1032;

// What one image may claim before it is decoded.
struct TextureLimits {
    int maxSide;             // the driver's GL_MAX_TEXTURE_SIZE
    std::uint64_t maxBytes;  // at most kMaxTextureBytes; less when the run's budget is nearly spent
    std::uint64_t budgetUsed = 0;  // for the reason given when the budget is what refuses
};

// Pixels decoded for upload, bottom row first, 3 (RGB) or 4 (RGBA) bytes per texel.
struct TextureImage {
    struct Free {
        void operator()(unsigned char* pixels) const;
    };
    using Pixels = std::unique_ptr<unsigned char, Free>;
    Pixels pixels;
    int width = 0;
    int height = 0;
    int fileChannels = 0;    // as stored: 1 grey, 2 grey + alpha, 3 RGB, 4 RGBA
    int uploadChannels = 0;  // 3, or 4 when the file has alpha

    std::uint64_t Bytes() const;
};

// Either pixels or, when the bytes are not an image a texture can be made from, why not.
struct TextureImageResult {
    TextureImage image;  // pixels null on failure
    std::string error;   // one phrase, empty on success
    // A line of its own after the failure's, or empty: where a missing file was looked for.
    std::string hint;
};

// Checks the header's claims against `limits` before anything is decoded, then decodes once,
// widened to RGB or RGBA so the upload never reads past the pixels.
TextureImageResult DecodeTextureImage(const unsigned char* bytes, std::size_t size,
                                      const TextureLimits& limits);
// Reads the whole file first; only a regular file of at most kMaxTextureFileBytes is read.
TextureImageResult LoadTextureImage(const std::string& path, const TextureLimits& limits);
