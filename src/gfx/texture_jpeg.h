#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "gfx/texture_image.h"

// JPEG files are decoded by libjpeg-turbo where the platform has it (texture_jpeg_libjpeg.cpp);
// elsewhere the general image decoder takes them behind checks of what it mishandles
// (texture_jpeg_stbjpeg.cpp). `bytes` begins with a JPEG start marker, possibly after fill bytes.
// Either the decoded picture or its failure, or nothing when the general decoder is to take the
// file as it takes every other format.
std::optional<TextureImageResult> DecodeJpegTexture(const unsigned char* bytes, std::size_t size,
                                                    const TextureLimits& limits);

// Each 8×8 block of each colour component costs a Huffman-coded file at least one bit: a header
// that claims more `blocks` than the file's `fileBytes` hold bits belongs to a cut file (or a
// bomb), refused before the decoder takes memory for the picture. Empty when the file can hold
// them. (Arithmetic coding can spend less than a bit on a block; such files are not fenced.)
std::string JpegBlocksProblem(std::uint64_t blocks, std::size_t fileBytes, int width, int height);

// The reason given for a file whose coded data ends before its picture does.
constexpr const char* kJpegCutShort = "JPEG file ends before its picture does: it is cut short";

// Why a picture of `width`×`height` that takes `decodeBytes` to decode cannot be a texture
// within `limits`; empty when it can.
std::string TextureSizeProblem(int width, int height, std::uint64_t decodeBytes,
                               const TextureLimits& limits);
