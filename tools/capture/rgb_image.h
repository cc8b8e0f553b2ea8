#pragma once

#include <filesystem>
#include <vector>

// An 8-bit RGB picture, rows from the top down.
struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> pixels;  // width * height * 3

    RgbImage() = default;
    RgbImage(int width, int height, unsigned char grey = 0)
        : width(width), height(height), pixels(static_cast<size_t>(width) * height * 3, grey) {}
    unsigned char* At(int x, int y) { return &pixels[(static_cast<size_t>(y) * width + x) * 3]; }
    const unsigned char* At(int x, int y) const {
        return &pixels[(static_cast<size_t>(y) * width + x) * 3];
    }
};

// `image` shrunk to `width` columns, keeping its aspect ratio; each new pixel is the mean of the
// pixels it covers (a box filter, so thin bright lines neither vanish nor alias).
RgbImage Downscale(const RgbImage& image, int width);

// Writes a PNG, or a JPEG of quality 85 when the file name ends in ".jpg" or ".jpeg". Returns
// false when the file could not be written.
bool WriteImage(const std::filesystem::path& file, const RgbImage& image);
