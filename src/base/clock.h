#pragma once

// Where the frame loop and the logic read the time, in seconds. Production reads the windowing
// library's clock; tests replace it with one they drive.
class Clock {
  public:
    virtual ~Clock() = default;
    virtual double Now() const = 0;
};

class GlfwClock final : public Clock {
  public:
    double Now() const override;
};
