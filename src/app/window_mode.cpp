#include "app/window_mode.h"

#include <algorithm>

namespace {

std::optional<int> ParseSide(const std::string& text) {
    if (text.empty() || text.size() > 5 ||
        text.find_first_not_of("0123456789") != std::string::npos) {
        return std::nullopt;
    }
    const int side = std::stoi(text);
    if (side < kMinWindowSide || side > kMaxWindowSide) return std::nullopt;
    return side;
}

std::string SizeText(int width, int height) {
    return std::to_string(width) + "x" + std::to_string(height);
}

}  // namespace

std::optional<WindowMode> ParseWindowMode(const std::string& text) {
    if (text == "fit") return WindowMode{WindowMode::Kind::Fit, 0, 0};
    const auto x = text.find('x');
    if (x == std::string::npos) return std::nullopt;
    const auto width = ParseSide(text.substr(0, x));
    const auto height = ParseSide(text.substr(x + 1));
    if (!width || !height) return std::nullopt;
    return WindowMode{WindowMode::Kind::Size, *width, *height};
}

ScreenHold HoldToScreen(int width, int height, int screenWidth, int screenHeight) {
    if (screenWidth <= 0 || screenHeight <= 0 || (width <= screenWidth && height <= screenHeight))
        return {width, height, ""};
    const int heldWidth = std::min(width, screenWidth), heldHeight = std::min(height, screenHeight);
    return {heldWidth, heldHeight,
            "Warning: --window " + SizeText(width, height) + " is larger than the screen (" +
                SizeText(screenWidth, screenHeight) + "): the window is held to " +
                SizeText(heldWidth, heldHeight)};
}

PixelRect LetterboxArea(int windowWidth, int windowHeight, int pictureWidth, int pictureHeight) {
    if (windowWidth <= 0 || windowHeight <= 0) return {};
    // Compared in whole numbers: a window of the picture's own shape gets no bar at all.
    const long long wide = static_cast<long long>(windowWidth) * pictureHeight;
    const long long tall = static_cast<long long>(windowHeight) * pictureWidth;
    PixelRect area{0, 0, windowWidth, windowHeight};
    if (wide > tall) {
        area.width = std::max(1, static_cast<int>(tall / pictureHeight));
        area.x = (windowWidth - area.width) / 2;
    } else if (wide < tall) {
        area.height = std::max(1, static_cast<int>(wide / pictureWidth));
        area.y = (windowHeight - area.height) / 2;
    }
    return area;
}

PixelRect LargestFilmWindowIn(const PixelRect& area, const PixelRect& frame) {
    const int roomX = area.width - frame.x - frame.width;
    const int roomY = area.height - frame.y - frame.height;
    const int units = std::max(std::min(roomX / 16, roomY / 9), kMinWindowSide / 9 + 1);
    PixelRect window{0, 0, 16 * units, 9 * units};
    window.x = area.x + frame.x + std::max(0, (roomX - window.width) / 2);
    window.y = area.y + frame.y + std::max(0, (roomY - window.height) / 2);
    return window;
}

std::string WindowModeLine(const WindowMode& mode, int width, int height) {
    const std::string size = SizeText(width, height);
    switch (mode.kind) {
        case WindowMode::Kind::FullScreen:
            return "Full screen " + size + ", the film letterboxed at 16:9";
        case WindowMode::Kind::Fit:
            return "Window " + size + ", the largest 16:9 that fits the screen";
        case WindowMode::Kind::Size:
            return "Window " + size + ", the film letterboxed at 16:9";
        case WindowMode::Kind::FilmSize:
            break;
    }
    return "Window " + size;
}
