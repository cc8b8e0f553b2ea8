#pragma once

#include <vector>

// Colour read back from the default framebuffer, 0..1 per channel.
struct Rgb {
    float r, g, b;
    float Luminance() const { return 0.2126f * r + 0.7152f * g + 0.0722f * b; }
};

// Mean colour of a 5x5 block around the window pixel (x, y).
Rgb MeanColor(int x, int y);

// The whole 1920x1080 window, RGB, bottom row first.
std::vector<Rgb> ReadWindowPixels();
