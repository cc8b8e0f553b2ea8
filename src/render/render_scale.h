#pragma once

#include <optional>
#include <vector>

// The share of the window's width and height that the 3D passes render at. Fixed, or adaptive:
// it follows the measured frame time so that a machine without a GPU still shows a moving film,
// and stays at 1 on a machine that keeps up at full size.
class RenderScaleControl {
  public:
    static constexpr float kMinimum = 0.5f;
    static constexpr float kMaximum = 1.0f;
    static constexpr int kFramesPerDecision = 12;
    static constexpr double kTargetFrameSeconds = 1.0 / 30.0;

    static RenderScaleControl Adaptive();
    // A scale that never changes, clamped to [kMinimum, kMaximum].
    static RenderScaleControl Fixed(float scale);

    float Current() const { return scale; }
    bool IsAdaptive() const { return adaptive; }

    // Takes one frame's duration in seconds. Every kFramesPerDecision frames the adaptive scale
    // looks at their median and moves in steps of 0.05: down quickly when the frames are slow,
    // up one step at a time when they are clearly fast.
    void AddFrameTime(double seconds);

  private:
    RenderScaleControl(float scale, bool adaptive) : scale(scale), adaptive(adaptive) {}

    float scale;
    bool adaptive;
    std::vector<double> frameTimes;
};

// The pixel size of the picture at `scale` of a width x height window, each side at least 1.
struct PictureSize {
    int width;
    int height;
};
PictureSize ScaledSize(int width, int height, float scale);

// Reads a render-scale option: "auto", or a number in [0.5, 1]. Nothing when it is neither.
std::optional<RenderScaleControl> ParseRenderScale(const char* text);
