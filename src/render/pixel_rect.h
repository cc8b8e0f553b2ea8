#pragma once

// A rectangle of pixels, from the bottom-left corner of the window's framebuffer (GL's way) or
// from the top-left corner of a screen (the window system's way).
struct PixelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    bool operator==(const PixelRect& other) const {
        return x == other.x && y == other.y && width == other.width && height == other.height;
    }
};
