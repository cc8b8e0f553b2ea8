#pragma once

#include <cstdint>

#include "base/clock.h"

// A clock that moves only when told, by exactly one frame: frame n at `fps` frames per second
// reads n / fps, computed afresh each time so that no rounding accumulates over a long film.
class SteppedClock final : public Clock {
  public:
    explicit SteppedClock(int fps) : fps(fps) {}
    double Now() const override { return static_cast<double>(frame) / fps; }
    void Advance() { ++frame; }
    std::int64_t Frame() const { return frame; }

  private:
    int fps;
    std::int64_t frame = 0;
};
