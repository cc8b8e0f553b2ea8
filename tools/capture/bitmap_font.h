#pragma once

#include <string>

#include "rgb_image.h"

// A 5x7 pixel font for the contact sheet's labels: digits, '#', '.', 's' and space. Any other
// character is drawn as a filled box, so a label that asks for more shows it plainly.
constexpr int kGlyphWidth = 5;
constexpr int kGlyphHeight = 7;
constexpr int kGlyphAdvance = kGlyphWidth + 1;

// Draws `text` with its top-left corner at (x, y), each font pixel a `scale` x `scale` square;
// pixels outside the image are left out.
void DrawText(RgbImage& image, int x, int y, const std::string& text, int scale,
              const unsigned char color[3]);
