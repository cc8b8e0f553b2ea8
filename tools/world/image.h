#pragma once

#include <cstdint>
#include <glm/glm.hpp>
#include <string>
#include <vector>

// An 8-bit image with 3 (RGB) or 4 (RGBA) channels; row 0 is the top row of the written file.
struct Image {
    Image(int width, int height, int channels);

    // Stores a colour given in [0, 1] per channel, rounded to 8 bits.
    void Set(int x, int y, const glm::vec4& rgba);

    int width;
    int height;
    int channels;
    std::vector<uint8_t> pixels;
};

// Fills every pixel from a function of its texture coordinates (u right, v up, as the player
// samples them: the player flips images on load, so v = 0 is the bottom row of the file).
template <typename ShadeFunction>
void FillByTexCoord(Image& image, ShadeFunction shade) {
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const float u = (static_cast<float>(x) + 0.5f) / static_cast<float>(image.width);
            const float v =
                1.0f - (static_cast<float>(y) + 0.5f) / static_cast<float>(image.height);
            image.Set(x, y, shade(u, v));
        }
    }
}

// Writes the image as PNG; false when the file cannot be written.
bool WritePng(const Image& image, const std::string& path);
