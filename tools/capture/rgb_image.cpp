#include "rgb_image.h"

#include <stb/stb_image_write.h>

#include <algorithm>

RgbImage Downscale(const RgbImage& image, int width) {
    const int height = std::max(1, image.height * width / image.width);
    RgbImage out(width, height);
    for (int y = 0; y < height; ++y) {
        const int y0 = y * image.height / height;
        const int y1 = std::max(y0 + 1, (y + 1) * image.height / height);
        for (int x = 0; x < width; ++x) {
            const int x0 = x * image.width / width;
            const int x1 = std::max(x0 + 1, (x + 1) * image.width / width);
            unsigned sum[3] = {0, 0, 0};
            for (int sy = y0; sy < y1; ++sy) {
                for (int sx = x0; sx < x1; ++sx) {
                    const unsigned char* p = image.At(sx, sy);
                    for (int c = 0; c < 3; ++c) sum[c] += p[c];
                }
            }
            const unsigned count = static_cast<unsigned>((x1 - x0) * (y1 - y0));
            for (int c = 0; c < 3; ++c) out.At(x, y)[c] = (sum[c] + count / 2) / count;
        }
    }
    return out;
}

bool WriteImage(const std::filesystem::path& file, const RgbImage& image) {
    const std::string extension = file.extension().string();
    const std::string name = file.string();
    if (extension == ".jpg" || extension == ".jpeg") {
        return stbi_write_jpg(name.c_str(), image.width, image.height, 3, image.pixels.data(),
                              85) != 0;
    }
    return stbi_write_png(name.c_str(), image.width, image.height, 3, image.pixels.data(),
                          image.width * 3) != 0;
}
