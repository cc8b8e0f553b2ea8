#include "support/pixels.h"

#include <glad/gl.h>

#include <cstddef>

Rgb MeanColor(int x, int y) {
    unsigned char pixels[5 * 5 * 4];
    glReadPixels(x - 2, y - 2, 5, 5, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
    Rgb sum{0, 0, 0};
    for (int i = 0; i < 25; ++i) {
        sum.r += pixels[i * 4] / 255.0f / 25.0f;
        sum.g += pixels[i * 4 + 1] / 255.0f / 25.0f;
        sum.b += pixels[i * 4 + 2] / 255.0f / 25.0f;
    }
    return sum;
}

std::vector<Rgb> ReadWindowPixels() {
    constexpr int kWidth = 1920, kHeight = 1080;
    std::vector<unsigned char> bytes(kWidth * kHeight * 4);
    glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, bytes.data());
    std::vector<Rgb> pixels(kWidth * kHeight);
    for (size_t i = 0; i < pixels.size(); ++i) {
        pixels[i] = {bytes[i * 4] / 255.0f, bytes[i * 4 + 1] / 255.0f, bytes[i * 4 + 2] / 255.0f};
    }
    return pixels;
}
