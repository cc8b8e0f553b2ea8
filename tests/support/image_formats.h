#pragma once

#include <string>
#include <vector>

// One small RGB picture in a file format the texture loader reads.
struct EncodedImage {
    std::string format;  // the usual file name extension: "png", "jpg", "bmp", ...
    std::string bytes;
};

// A `width`×`height` grey ramp: each texel's value is its index times 7, top row first.
std::vector<unsigned char> GreyRamp(int width, int height);

// The grey ramp in every format the
// texture loader accepts: PNG, JPEG, BMP, TGA, GIF, PSD, HDR, PNM and PIC.
std::vector<EncodedImage> EncodeInEveryFormat(int width, int height);

// A PNG whose bytes count up in steps of 7 through every channel of every texel.
std::string EncodePng(int width, int height, int channels);

// How other programs write JPEG files beyond the general encoder's baseline colour.
enum class JpegVariant { Grey, Progressive, Cmyk };
// The grey ramp written by libjpeg-turbo's encoder; only the Linux build has it
// (image_formats_libjpeg.cpp). CMYK files are written as Adobe's programs write them: inverted
// ink, the grey in the black channel.
std::string EncodeJpeg(int width, int height, JpegVariant variant);

// A Photoshop file of `planes` (red, green, blue, then alpha and any more), each `width`×`height`
// samples, top row first, stored raw at 8 or 16 bits (a 16-bit sample repeats its byte) or, with
// `runLength`, packed in runs.
std::string EncodePsd(int width, int height, const std::vector<std::vector<unsigned char>>& planes,
                      int depth, bool runLength);
