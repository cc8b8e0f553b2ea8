// lumenvale_icon OUTPUT_DIR
//   Draws the program's icon — the sun rising over the sea behind an island, a firefly glowing
//   in the last of the night — and writes it as lumenvale_256.png, lumenvale_48.png and
//   lumenvale.ico (16, 32, 48 and 256 pixels; the largest as PNG, the others as bitmaps, as
//   Windows reads them). The same bytes every run.
#include <stb/stb_image_write.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int kMaster = 256;
constexpr int kSupersamples = 4;  // per side, for smooth edges

struct Colour {
    float r = 0, g = 0, b = 0, a = 0;
};

Colour Mix(const Colour& a, const Colour& b, float t) {
    t = std::clamp(t, 0.0f, 1.0f);
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t,
            a.a + (b.a - a.a) * t};
}

Colour Add(const Colour& a, const Colour& light, float amount) {
    return {a.r + light.r * amount, a.g + light.g * amount, a.b + light.b * amount, a.a};
}

float Smooth(float edge0, float edge1, float x) {
    const float t = std::clamp((x - edge0) / (edge1 - edge0), 0.0f, 1.0f);
    return t * t * (3.0f - 2.0f * t);
}

// The picture at (x, y) in [0, 1]², y downwards.
Colour Paint(float x, float y) {
    const float horizon = 0.64f;
    const float sunX = 0.64f, sunY = 0.58f, sunRadius = 0.14f;
    const Colour night{0.04f, 0.07f, 0.20f, 1}, dawn{0.98f, 0.58f, 0.32f, 1};
    const Colour deepSea{0.02f, 0.14f, 0.24f, 1}, shallows{0.07f, 0.34f, 0.42f, 1};
    const Colour sunLight{1.0f, 0.84f, 0.52f, 1};
    const float sunDistance = std::hypot(x - sunX, y - sunY);

    Colour c;
    if (y < horizon) {
        c = Mix(night, dawn, std::pow(y / horizon, 2.2f));
        for (const auto& star : {std::array<float, 2>{0.18f, 0.14f},
                                 {0.45f, 0.31f},
                                 {0.82f, 0.12f},
                                 {0.12f, 0.36f},
                                 {0.47f, 0.09f}}) {
            const float d = std::hypot(x - star[0], y - star[1]);
            c = Add(c, {1, 1, 1, 1}, (1.0f - Smooth(0.004f, 0.012f, d)) * (1.0f - y / horizon));
        }
        c = Add(c, sunLight, 0.55f * std::exp(-sunDistance * 7.0f));
        c = Mix(c, sunLight, 1.0f - Smooth(sunRadius - 0.006f, sunRadius + 0.006f, sunDistance));
        // The island, a dark ridge in front of the sun's left side.
        const float ridge = horizon - 0.26f * std::exp(-std::pow((x - 0.25f) / 0.14f, 2.0f)) -
                            0.10f * std::exp(-std::pow((x - 0.40f) / 0.07f, 2.0f));
        c = Mix(c, {0.05f, 0.10f, 0.08f, 1}, Smooth(ridge - 0.004f, ridge + 0.004f, y));
    } else {
        const float depth = (y - horizon) / (1.0f - horizon);
        c = Mix(shallows, deepSea, depth);
        // The sun's path on the water: a glittering column that widens towards the viewer.
        const float width = 0.05f + 0.10f * depth;
        const float ripple = 0.5f + 0.5f * std::sin(depth * 70.0f + std::sin(x * 40.0f));
        const float path = std::exp(-std::pow((x - sunX) / width, 2.0f)) * ripple;
        c = Add(c, sunLight, 0.9f * path * (1.0f - 0.6f * depth));
    }
    // The firefly over the island.
    const float fly = std::hypot(x - 0.33f, y - 0.24f);
    c = Add(c, {0.85f, 1.0f, 0.45f, 1}, 0.9f * std::exp(-fly * 38.0f));

    // A rounded square, as desktops draw application icons.
    const float inset = 0.03f, radius = 0.2f;
    const float qx = std::max(std::abs(x - 0.5f) - (0.5f - inset - radius), 0.0f);
    const float qy = std::max(std::abs(y - 0.5f) - (0.5f - inset - radius), 0.0f);
    const float edge = std::hypot(qx, qy) - radius;
    c.a = 1.0f - Smooth(-1.0f / kMaster, 1.0f / kMaster, edge);
    return c;
}

// RGBA rows, top first, `size` pixels a side: each pixel the mean of its supersamples.
std::vector<std::uint8_t> Render(int size) {
    const int samples = kSupersamples * std::max(1, kMaster / size);
    std::vector<std::uint8_t> pixels;
    pixels.reserve(static_cast<std::size_t>(size) * size * 4);
    for (int py = 0; py < size; ++py) {
        for (int px = 0; px < size; ++px) {
            Colour sum;
            for (int sy = 0; sy < samples; ++sy) {
                for (int sx = 0; sx < samples; ++sx) {
                    const Colour c = Paint((px + (sx + 0.5f) / samples) / size,
                                           (py + (sy + 0.5f) / samples) / size);
                    // Weighted by coverage, so that the edge does not darken.
                    sum = {sum.r + c.r * c.a, sum.g + c.g * c.a, sum.b + c.b * c.a, sum.a + c.a};
                }
            }
            const float alpha = sum.a / (samples * samples);
            const float cover = std::max(sum.a, 1e-6f);
            for (const float value : {sum.r / cover, sum.g / cover, sum.b / cover, alpha}) {
                pixels.push_back(
                    static_cast<std::uint8_t>(std::lround(std::clamp(value, 0.0f, 1.0f) * 255.0f)));
            }
        }
    }
    return pixels;
}

std::vector<std::uint8_t> Png(const std::vector<std::uint8_t>& rgba, int size) {
    std::vector<std::uint8_t> bytes;
    stbi_write_png_to_func(
        [](void* context, void* data, int length) {
            auto* out = static_cast<std::vector<std::uint8_t>*>(context);
            const auto* begin = static_cast<const std::uint8_t*>(data);
            out->insert(out->end(), begin, begin + length);
        },
        &bytes, size, size, 4, rgba.data(), size * 4);
    return bytes;
}

void PutLittleEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// An icon image as Windows' bitmap: a 40-byte header, BGRA rows bottom first, then the 1-bit mask
// (all clear: the alpha channel says what is transparent).
std::vector<std::uint8_t> Bitmap(const std::vector<std::uint8_t>& rgba, int size) {
    const int maskRow = (size + 31) / 32 * 4;
    std::vector<std::uint8_t> out;
    for (const std::uint32_t field :
         {40u, static_cast<std::uint32_t>(size), static_cast<std::uint32_t>(2 * size)}) {
        PutLittleEndian(out, field, 4);
    }
    PutLittleEndian(out, 1, 2);   // planes
    PutLittleEndian(out, 32, 2);  // bits per pixel
    PutLittleEndian(out, 0, 4);   // no compression
    PutLittleEndian(out, static_cast<std::uint32_t>(size * size * 4 + maskRow * size), 4);
    for (int i = 0; i < 4; ++i) PutLittleEndian(out, 0, 4);
    for (int y = size - 1; y >= 0; --y) {
        for (int x = 0; x < size; ++x) {
            const std::uint8_t* p = &rgba[(static_cast<std::size_t>(y) * size + x) * 4];
            out.insert(out.end(), {p[2], p[1], p[0], p[3]});
        }
    }
    out.insert(out.end(), static_cast<std::size_t>(maskRow) * size, 0);
    return out;
}

std::vector<std::uint8_t> Ico(const std::vector<int>& sizes) {
    std::vector<std::vector<std::uint8_t>> images;
    for (const int size : sizes) {
        const std::vector<std::uint8_t> rgba = Render(size);
        images.push_back(size >= 256 ? Png(rgba, size) : Bitmap(rgba, size));
    }
    std::vector<std::uint8_t> out;
    PutLittleEndian(out, 0, 2);
    PutLittleEndian(out, 1, 2);  // an icon, not a cursor
    PutLittleEndian(out, static_cast<std::uint32_t>(sizes.size()), 2);
    std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * sizes.size());
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        const std::uint8_t side = sizes[i] >= 256 ? 0 : static_cast<std::uint8_t>(sizes[i]);
        out.insert(out.end(), {side, side, 0, 0});
        PutLittleEndian(out, 1, 2);
        PutLittleEndian(out, 32, 2);
        PutLittleEndian(out, static_cast<std::uint32_t>(images[i].size()), 4);
        PutLittleEndian(out, offset, 4);
        offset += static_cast<std::uint32_t>(images[i].size());
    }
    for (const auto& image : images) out.insert(out.end(), image.begin(), image.end());
    return out;
}

bool WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: lumenvale_icon OUTPUT_DIR\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    bool written = true;
    for (const int size : {256, 48}) {
        written = written && WriteFile(folder / ("lumenvale_" + std::to_string(size) + ".png"),
                                       Png(Render(size), size));
    }
    written = written && WriteFile(folder / "lumenvale.ico", Ico({16, 32, 48, 256}));
    if (!written) {
        std::fprintf(stderr, "lumenvale_icon: cannot write into %s\n", folder.string().c_str());
        return 1;
    }
    return 0;
}
