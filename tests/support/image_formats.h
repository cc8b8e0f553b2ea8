#pragma once

#include <string>
#include <vector>

// One small RGB picture in a file format the texture loader reads.
struct EncodedImage {
    std::string format;  // the usual file name extension: "png", "jpg", "bmp", ...
    std::string bytes;
};

// A `width`×`height` grey ramp (each texel's value is its index times 7) in every format the
// texture loader accepts: PNG, JPEG, BMP, TGA, GIF, PSD, HDR, PNM and PIC.
std::vector<EncodedImage> EncodeInEveryFormat(int width, int height);

// A PNG whose bytes count up in steps of 7 through every channel of every texel.
std::string EncodePng(int width, int height, int channels);
