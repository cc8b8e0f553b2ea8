#pragma once

#include <optional>
#include <vector>

// The share of the window's width and height that the 3D passes render at. Fixed, or adaptive:
// it follows the measured frame time so that a machine without a GPU still shows a moving film,
// and stays at 1 on a machine that keeps up at full size.
class RenderScaleControl {
  public:
    static constexpr float kMinimum = 0.35f;
    static constexpr float kMaximum = 1.0f;
    // A decision looks at the median of the frames since the last one: at least this many, and
    // as many as fit in kDecisionSeconds (or kFramesPerDecision, whichever comes first).
    static constexpr int kMinimumFramesPerDecision = 3;
    static constexpr int kFramesPerDecision = 12;
    static constexpr double kDecisionSeconds = 0.4;
    static constexpr double kTargetFrameSeconds = 1.0 / 30.0;

    static RenderScaleControl Adaptive();
    // A scale that never changes, clamped to [kMinimum, kMaximum].
    static RenderScaleControl Fixed(float scale);

    float Current() const { return scale; }
    bool IsAdaptive() const { return adaptive; }

    // Takes one frame's duration in seconds. At each decision the adaptive scale predicts the
    // scale whose frames take the target time: a frame costs a fixed part plus a part that
    // grows with the picture's area, and the share of each is learnt from the frames at the
    // last two scales. It moves there at once, on a grid of 0.05, when that is at least one step
    // away; upwards it aims a little below the target, so that it does not swing back.
    void AddFrameTime(double seconds);

  private:
    RenderScaleControl(float scale, bool adaptive) : scale(scale), adaptive(adaptive) {}
    void Decide(double median);

    float scale;
    bool adaptive;
    std::vector<double> frameTimes;
    double collected = 0.0;  // seconds of the frames in frameTimes
    // The last decision's median and scale, and the share of a frame that does not depend on
    // the picture's size as learnt so far.
    double lastMedian = 0.0;
    float lastScale = 0.0f;
    double fixedShare = 0.0;
};

// The pixel size of the picture at `scale` of a width x height window, each side at least 1.
struct PictureSize {
    int width;
    int height;
};
PictureSize ScaledSize(int width, int height, float scale);

// Reads a render-scale option: "auto", or a number in [kMinimum, kMaximum]. Nothing when it is
// neither.
std::optional<RenderScaleControl> ParseRenderScale(const char* text);
