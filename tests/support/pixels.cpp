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

glm::vec3 AreaMean(const unsigned char* rgb, int width, const PixelRect& area) {
    glm::dvec3 sum(0.0);
    for (int y = area.y; y < area.y + area.height; ++y) {
        for (int x = area.x; x < area.x + area.width; ++x) {
            const unsigned char* pixel = rgb + (static_cast<std::size_t>(y) * width + x) * 3;
            sum += glm::dvec3(pixel[0], pixel[1], pixel[2]);
        }
    }
    return glm::vec3(sum / static_cast<double>(area.width * area.height));
}
