#include "bitmap_font.h"

#include <cstdint>

namespace {

// Seven rows of five bits each, the leftmost pixel in the highest bit.
struct Glyph {
    char character;
    uint8_t rows[kGlyphHeight];
};

constexpr Glyph kGlyphs[] = {
    {'0', {0x0E, 0x11, 0x13, 0x15, 0x19, 0x11, 0x0E}},
    {'1', {0x04, 0x0C, 0x04, 0x04, 0x04, 0x04, 0x0E}},
    {'2', {0x0E, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1F}},
    {'3', {0x1F, 0x02, 0x04, 0x02, 0x01, 0x11, 0x0E}},
    {'4', {0x02, 0x06, 0x0A, 0x12, 0x1F, 0x02, 0x02}},
    {'5', {0x1F, 0x10, 0x1E, 0x01, 0x01, 0x11, 0x0E}},
    {'6', {0x06, 0x08, 0x10, 0x1E, 0x11, 0x11, 0x0E}},
    {'7', {0x1F, 0x01, 0x02, 0x04, 0x08, 0x08, 0x08}},
    {'8', {0x0E, 0x11, 0x11, 0x0E, 0x11, 0x11, 0x0E}},
    {'9', {0x0E, 0x11, 0x11, 0x0F, 0x01, 0x02, 0x0C}},
    {'#', {0x0A, 0x0A, 0x1F, 0x0A, 0x1F, 0x0A, 0x0A}},
    {'.', {0x00, 0x00, 0x00, 0x00, 0x00, 0x0C, 0x0C}},
    {'s', {0x00, 0x00, 0x0E, 0x10, 0x0E, 0x01, 0x1E}},
    {' ', {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}},
};
constexpr Glyph kUnknown = {'?', {0x1F, 0x1F, 0x1F, 0x1F, 0x1F, 0x1F, 0x1F}};

const Glyph& GlyphOf(char character) {
    for (const Glyph& glyph : kGlyphs) {
        if (glyph.character == character) return glyph;
    }
    return kUnknown;
}

}  // namespace

void DrawText(RgbImage& image, int x, int y, const std::string& text, int scale,
              const unsigned char color[3]) {
    for (size_t i = 0; i < text.size(); ++i) {
        const Glyph& glyph = GlyphOf(text[i]);
        const int left = x + static_cast<int>(i) * kGlyphAdvance * scale;
        for (int row = 0; row < kGlyphHeight; ++row) {
            for (int column = 0; column < kGlyphWidth; ++column) {
                if (!(glyph.rows[row] & (0x10 >> column))) continue;
                for (int py = y + row * scale; py < y + (row + 1) * scale; ++py) {
                    for (int px = left + column * scale; px < left + (column + 1) * scale; ++px) {
                        if (px < 0 || py < 0 || px >= image.width || py >= image.height) continue;
                        for (int c = 0; c < 3; ++c) image.At(px, py)[c] = color[c];
                    }
                }
            }
        }
    }
}
