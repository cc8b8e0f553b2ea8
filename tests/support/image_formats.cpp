#include "support/image_formats.h"

#include <stb/stb_image_write.h>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

void Append(void* out, void* data, int size) {
    static_cast<std::string*>(out)->append(static_cast<const char*>(data),
                                           static_cast<std::size_t>(size));
}

void PutBig(std::string& out, std::uint32_t value, int bytes) {
    for (int i = bytes - 1; i >= 0; --i) out += static_cast<char>(value >> (8 * i));
}

void PutLittle(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>(value >> (8 * i));
}

// Uncompressed LZW: every texel is a 9-bit literal, and a clear code comes before the table
// would grow past 9 bits.
std::string Gif(int width, int height, const std::vector<unsigned char>& grey) {
    std::string gif = "GIF89a";
    PutLittle(gif, static_cast<std::uint32_t>(width), 2);
    PutLittle(gif, static_cast<std::uint32_t>(height), 2);
    gif += "\xF7";  // a global table of 256 colours
    gif += std::string(2, '\0');
    for (int i = 0; i < 256; ++i) gif += std::string(3, static_cast<char>(i));
    gif += ",";
    PutLittle(gif, 0, 4);
    PutLittle(gif, static_cast<std::uint32_t>(width), 2);
    PutLittle(gif, static_cast<std::uint32_t>(height), 2);
    gif += '\0';
    gif += '\x08';  // minimum code size

    std::string codes;
    std::uint32_t bits = 0;
    int count = 0;
    const auto put = [&](std::uint32_t code) {
        bits |= code << count;
        for (count += 9; count >= 8; count -= 8, bits >>= 8) codes += static_cast<char>(bits);
    };
    constexpr std::uint32_t kClear = 256, kEnd = 257;
    for (std::size_t i = 0; i < grey.size(); ++i) {
        if (i % 254 == 0) put(kClear);
        put(grey[i]);
    }
    put(kEnd);
    if (count > 0) codes += static_cast<char>(bits);
    for (std::size_t at = 0; at < codes.size(); at += 255) {
        const std::string block = codes.substr(at, 255);
        gif += static_cast<char>(block.size());
        gif += block;
    }
    return gif + std::string(1, '\0') + ";";
}

// Softimage PIC: one uncompressed packet carrying red, green and blue.
std::string Pic(int width, int height, const std::vector<unsigned char>& grey) {
    std::string pic("\x53\x80\xF6\x34", 4);
    PutBig(pic, 0, 4);  // version
    pic += std::string(80, '\0');
    pic += "PICT";
    PutBig(pic, static_cast<std::uint32_t>(width), 2);
    PutBig(pic, static_cast<std::uint32_t>(height), 2);
    PutBig(pic, 0x3F800000, 4);  // aspect ratio 1.0
    PutBig(pic, 3, 2);           // both fields
    PutBig(pic, 0, 2);
    pic += std::string("\x00\x08\x00\xE0", 4);  // last packet, 8 bits, raw, R G B
    for (const unsigned char value : grey) pic += std::string(3, static_cast<char>(value));
    return pic;
}

}  // namespace

// The palette of the GIF is the 256 greys, so every format holds the same picture.
std::vector<unsigned char> GreyRamp(int width, int height) {
    std::vector<unsigned char> grey(static_cast<std::size_t>(width * height));
    for (std::size_t i = 0; i < grey.size(); ++i) grey[i] = static_cast<unsigned char>(i * 7);
    return grey;
}

std::string EncodePng(int width, int height, int channels) {
    std::vector<unsigned char> pixels(static_cast<std::size_t>(width) * height * channels);
    for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<unsigned char>(i * 7);
    std::string png;
    stbi_write_png_to_func(Append, &png, width, height, channels, pixels.data(), width * channels);
    return png;
}

std::vector<EncodedImage> EncodeInEveryFormat(int width, int height) {
    const std::vector<unsigned char> grey = GreyRamp(width, height);
    std::vector<unsigned char> rgb;
    std::vector<float> linear;
    for (const unsigned char value : grey) {
        rgb.insert(rgb.end(), 3, value);
        // The decoder turns HDR values into bytes through a gamma of 2.2.
        linear.insert(linear.end(), 3, std::pow(value / 255.0f, 2.2f));
    }
    std::vector<EncodedImage> images;
    const auto written = [&](const char* format, auto write) {
        std::string bytes;
        write(&bytes);
        images.push_back({format, bytes});
    };
    const int stride = width * 3;
    written("png", [&](std::string* out) {
        stbi_write_png_to_func(Append, out, width, height, 3, rgb.data(), stride);
    });
    written("jpg", [&](std::string* out) {
        stbi_write_jpg_to_func(Append, out, width, height, 3, rgb.data(), 95);
    });
    written("bmp", [&](std::string* out) {
        stbi_write_bmp_to_func(Append, out, width, height, 3, rgb.data());
    });
    written("tga", [&](std::string* out) {
        stbi_write_tga_to_func(Append, out, width, height, 3, rgb.data());
    });
    written("hdr", [&](std::string* out) {
        stbi_write_hdr_to_func(Append, out, width, height, 3, linear.data());
    });
    std::string pnm = "P6\n" + std::to_string(width) + " " + std::to_string(height) + "\n255\n";
    pnm.append(rgb.begin(), rgb.end());
    images.push_back({"pnm", pnm});
    images.push_back({"gif", Gif(width, height, grey)});
    images.push_back({"psd", EncodePsd(width, height, {grey, grey, grey}, 8, false)});
    images.push_back({"pic", Pic(width, height, grey)});
    return images;
}

std::string EncodePsd(int width, int height, const std::vector<std::vector<unsigned char>>& planes,
                      int depth, bool runLength) {
    std::string psd = "8BPS";
    PutBig(psd, 1, 2);
    psd += std::string(6, '\0');
    PutBig(psd, static_cast<std::uint32_t>(planes.size()), 2);
    PutBig(psd, static_cast<std::uint32_t>(height), 4);
    PutBig(psd, static_cast<std::uint32_t>(width), 4);
    PutBig(psd, static_cast<std::uint32_t>(depth), 2);
    PutBig(psd, 3, 2);  // RGB
    PutBig(psd, 0, 4);  // no colour table, no resources, no layers
    PutBig(psd, 0, 4);
    PutBig(psd, 0, 4);
    PutBig(psd, runLength ? 1 : 0, 2);
    if (!runLength) {
        for (const std::vector<unsigned char>& plane : planes)
            for (unsigned char sample : plane)
                PutBig(psd, sample * (depth == 16 ? 257u : 1u), depth / 8);
        return psd;
    }
    // Each row as literal runs of at most 128 bytes, after the byte counts of every row.
    std::string counts, rows;
    for (const std::vector<unsigned char>& plane : planes) {
        for (int y = 0; y < height; ++y) {
            std::string row;
            for (int x = 0; x < width; x += 128) {
                const int run = std::min(128, width - x);
                row += static_cast<char>(run - 1);
                row.append(plane.begin() + y * width + x, plane.begin() + y * width + x + run);
            }
            PutBig(counts, static_cast<std::uint32_t>(row.size()), 2);
            rows += row;
        }
    }
    return psd + counts + rows;
}
