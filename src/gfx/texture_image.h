#pragma once

#include <cstddef>
#include <memory>
#include <string>

// The film's textures are PNG and at most a few thousand texels a side. Anything larger is a
// damaged or hostile file: 4096² RGBA is 64 MB before mipmaps, and nothing the film shows on a
// 1920×1080 frame needs more.
constexpr int kMaxTextureSide = 4096;
// Deflate packs at most 1032 bytes into one, so a PNG whose header claims more raw pixel bytes
// than that many times its own size cannot hold them: it is cut short or a decompression bomb.
constexpr std::size_t kMaxPngInflateRatio = 1032;

// Pixels decoded for upload, bottom row first, 3 (RGB) or 4 (RGBA) bytes per texel.
struct TextureImage {
    struct Free {
        void operator()(unsigned char* pixels) const;
    };
    std::unique_ptr<unsigned char, Free> pixels;
    int width = 0;
    int height = 0;
    int fileChannels = 0;    // as stored: 1 grey, 2 grey + alpha, 3 RGB, 4 RGBA
    int uploadChannels = 0;  // 3, or 4 when the file has alpha
};

// Either pixels or, when the bytes are not a PNG a texture can be made from, why not.
struct TextureImageResult {
    TextureImage image;  // pixels null on failure
    std::string error;   // one phrase, empty on success
};

// Checks the signature and the header's size before anything is decoded, then decodes once,
// widened to RGB or RGBA so the upload never reads past the pixels.
TextureImageResult DecodeTextureImage(const unsigned char* bytes, std::size_t size);
// Reads the whole file first; an unreadable or oversized file is an error like any other.
TextureImageResult LoadTextureImage(const std::string& path);
