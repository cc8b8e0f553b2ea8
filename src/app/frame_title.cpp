#include "app/frame_title.h"

#include <cstdio>

std::string FormatFrameTitle(double elapsed, int frames) {
    const int framesPerSecond = static_cast<int>(1.0 / elapsed * frames);
    const double milliseconds = elapsed / frames * 1000.0;
    char text[96];
    std::snprintf(text, sizeof text, "Lumenvale %d FPS | %.2f ms", framesPerSecond, milliseconds);
    return text;
}

std::optional<std::string> FrameTitle::Tick(double t) {
    ++titleFrameCount;
    const double elapsed = t - lastTitleTime;
    if (elapsed < 0.1) return std::nullopt;
    std::string title = FormatFrameTitle(elapsed, titleFrameCount);
    titleFrameCount = 0;
    lastTitleTime = t;
    return title;
}
