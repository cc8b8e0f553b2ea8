#pragma once

#include <gtest/gtest.h>

#include <string>

#include "gfx/texture_image.h"

// What the texture decoding tests share: a driver that takes 4096² and room for a few such
// images, and decoding from a string of bytes.
inline constexpr TextureLimits kLimits{4096, kMaxTextureBytes};

inline TextureImageResult Decode(const std::string& bytes, const TextureLimits& limits = kLimits) {
    return DecodeTextureImage(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(),
                              limits);
}

// Why `bytes` are refused; a failure when they are accepted.
inline std::string ErrorOf(const std::string& bytes, const TextureLimits& limits = kLimits) {
    const TextureImageResult result = Decode(bytes, limits);
    EXPECT_FALSE(result.image.pixels) << "accepted";
    return result.error;
}
