#pragma once

#include <optional>
#include <string>

// "Lumenvale 60 FPS | 16.67 ms": whole frames per second (truncated) and the mean frame time
// with two decimals, over `frames` frames that took `elapsed` seconds.
std::string FormatFrameTitle(double elapsed, int frames);

// Counts frames and says when the window title is due: on the first frame, then whenever at
// least 0.1 s have passed since the last update.
class FrameTitle {
  public:
    // Counts one frame at time t; returns the new title when it is due.
    std::optional<std::string> Tick(double t);

  private:
    int titleFrameCount = 0;
    double lastTitleTime = 0.0;
};
