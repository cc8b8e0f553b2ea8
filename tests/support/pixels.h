#pragma once

#include <glm/glm.hpp>

#include "render/pixel_rect.h"

// Colour read back from the default framebuffer, 0..1 per channel.
struct Rgb {
    float r, g, b;
    float Luminance() const { return 0.2126f * r + 0.7152f * g + 0.0722f * b; }
};

// Mean colour of a 5x5 block around the window pixel (x, y).
Rgb MeanColor(int x, int y);

// Mean colour of `area` (from the top-left row given) of RGB rows `width` pixels wide, in levels
// 0..255.
glm::vec3 AreaMean(const unsigned char* rgb, int width, const PixelRect& area);
