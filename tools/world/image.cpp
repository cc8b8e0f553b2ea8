#include "image.h"

#include <stb/stb_image_write.h>

#include <algorithm>
#include <cmath>

Image::Image(int width, int height, int channels)
    : width(width),
      height(height),
      channels(channels),
      pixels(static_cast<size_t>(width) * static_cast<size_t>(height) *
             static_cast<size_t>(channels)) {}

void Image::Set(int x, int y, const glm::vec4& rgba) {
    uint8_t* pixel =
        &pixels[(static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)) *
                static_cast<size_t>(channels)];
    for (int c = 0; c < channels; ++c) {
        const float value = std::clamp(rgba[c], 0.0f, 1.0f);
        pixel[c] = static_cast<uint8_t>(std::lround(value * 255.0f));
    }
}

bool WritePng(const Image& image, const std::string& path) {
    return stbi_write_png(path.c_str(), image.width, image.height, image.channels,
                          image.pixels.data(), image.width * image.channels) != 0;
}
