#include "app/window_mode.h"

#include <gtest/gtest.h>

#include <tuple>

TEST(WindowMode, TheFilmShowsWholeAndCentredAt16By9InAnyWindow) {
    const struct {
        int width, height;
        PixelRect area;
    } cases[] = {
        {1920, 1080, {0, 0, 1920, 1080}},    // the film's own size
        {1280, 900, {0, 90, 1280, 720}},     // taller: bars above and below
        {1366, 768, {0, 0, 1365, 768}},      // not quite 16:9: a pixel column to spare
        {2560, 1080, {320, 0, 1920, 1080}},  // wider: bars beside
        {1, 1000, {0, 499, 1, 1}},           // never an empty picture in a window
        {0, 0, {0, 0, 0, 0}},                // a minimised window shows nothing
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LetterboxArea(c.width, c.height, 1920, 1080), c.area)
            << c.width << "x" << c.height;
    }
}

TEST(WindowMode, FitPicksTheLargest16By9WindowWhoseFrameFitsTheWorkArea) {
    const struct {
        PixelRect work, frame, window;
    } cases[] = {
        {{0, 0, 1366, 768}, {}, {3, 1, 1360, 765}},
        // A panel of 40 pixels on top, a title bar of 30 and borders of 2.
        {{0, 40, 1920, 1040}, {2, 30, 2, 2}, {64, 70, 1792, 1008}},
        {{100, 0, 30, 20}, {}, {100, 0, 128, 72}},  // never below the smallest window
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LargestFilmWindowIn(c.work, c.frame), c.window) << c.work.width;
    }
}

TEST(WindowMode, AWindowLargerThanTheScreenIsHeldToItWithALine) {
    EXPECT_EQ(
        HoldToScreen(16000, 600, 1920, 1080).line,
        "Warning: --window 16000x600 is larger than the screen (1920x1080): the window is held "
        "to 1920x600");
    const struct {
        int width, height, screenWidth, screenHeight, heldWidth, heldHeight;
    } cases[] = {{16000, 9000, 1920, 1080, 1920, 1080},
                 {1920, 1080, 1920, 1080, 1920, 1080},
                 {4000, 4000, 0, 0, 4000, 4000}};  // the screen's own size fits; no screen known
    for (const auto& c : cases) {
        const ScreenHold held = HoldToScreen(c.width, c.height, c.screenWidth, c.screenHeight);
        EXPECT_EQ(std::make_tuple(held.width, held.height, held.line.empty()),
                  std::make_tuple(c.heldWidth, c.heldHeight, c.heldWidth == c.width));
    }
}
