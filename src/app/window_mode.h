#pragma once

#include <optional>
#include <string>

#include "render/pixel_rect.h"

// How the player's window is shown. Without an option it is the film's own 1920x1080 window,
// whose picture never follows a resize. Every other mode fits the film into whatever size the
// window has: the whole picture, scaled and letterboxed at its 16:9.
struct WindowMode {
    enum class Kind { FilmSize, FullScreen, Size, Fit };
    Kind kind = Kind::FilmSize;
    int width = 0;  // the window's size for Kind::Size
    int height = 0;

    bool FitsPictureToWindow() const { return kind != Kind::FilmSize; }
};

// Reads the value of --window: "fit", or WIDTHxHEIGHT within the sides a window may have.
std::optional<WindowMode> ParseWindowMode(const std::string& text);
constexpr int kMinWindowSide = 64;
constexpr int kMaxWindowSide = 16384;

// A window asked for larger than the screen is held to it, side by side, rather than drawn at a
// size nobody sees for gigabytes and seconds a frame: the size to open, and the line that says
// so (empty when the window fits, or when the screen's size is unknown: 0).
struct ScreenHold {
    int width;
    int height;
    std::string line;
};
ScreenHold HoldToScreen(int width, int height, int screenWidth, int screenHeight);

// Where a picture of pictureWidth x pictureHeight shows whole in a window of that size, as large
// as it fits and centred: bars above and below a window wider than the picture, beside it in a
// narrower one. Empty for an empty window (a minimised one).
PixelRect LetterboxArea(int windowWidth, int windowHeight, int pictureWidth, int pictureHeight);

// The largest window of exactly 16:9 (a multiple of 16x9) inside `area`, centred in it. Its
// frame (title bar and borders, `frame` giving their widths as left, top, right, bottom in x, y,
// width, height) must fit as well.
PixelRect LargestFilmWindowIn(const PixelRect& area, const PixelRect& frame = {});

// The console line that tells which mode a run shows the film in.
std::string WindowModeLine(const WindowMode& mode, int width, int height);
