#include "render/render_scale.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

constexpr float kStep = 0.05f;
// Going up, the scale aims at this share of the target; going down, at the target itself.
constexpr double kHeadroomUp = 0.85;
// Frames up to this share above the target keep the scale.
constexpr double kSlowAbove = 1.1;
// The fixed share is never believed above this: the picture's size always costs something.
constexpr double kLargestFixedShare = 0.8;

float SnapToStep(float scale) {
    return std::clamp(std::round(scale / kStep) * kStep, RenderScaleControl::kMinimum,
                      RenderScaleControl::kMaximum);
}

double Median(std::vector<double> values) {
    const auto middle = values.begin() + static_cast<long>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

// The scale at which a frame that took `median` at `scale`, `fixedShare` of it independent of the
// picture's size, would take `goal`.
double ScaleFor(double goal, double median, float scale, double fixedShare) {
    const double fixed = fixedShare * median;
    const double perArea = (median - fixed) / (static_cast<double>(scale) * scale);
    if (goal <= fixed) return 0.0;
    return std::sqrt((goal - fixed) / perArea);
}

}  // namespace

RenderScaleControl RenderScaleControl::Adaptive() {
    return RenderScaleControl(kMaximum, true);
}

RenderScaleControl RenderScaleControl::Fixed(float scale) {
    return RenderScaleControl(std::clamp(scale, kMinimum, kMaximum), false);
}

void RenderScaleControl::AddFrameTime(double seconds) {
    if (!adaptive) return;
    frameTimes.push_back(seconds);
    collected += seconds;
    const int frames = static_cast<int>(frameTimes.size());
    if (frames < kMinimumFramesPerDecision) return;
    if (frames < kFramesPerDecision && collected < kDecisionSeconds) return;
    const double median = Median(frameTimes);
    frameTimes.clear();
    collected = 0.0;
    Decide(median);
}

void RenderScaleControl::Decide(double median) {
    // Two medians at different scales tell the fixed part from the part that goes with the
    // area: m = fixed + perArea * s^2. A scene that changed in between can give nonsense; the
    // share stays within what a frame can be.
    if (lastScale > 0.0f && std::abs(lastScale - scale) >= kStep * 0.5f) {
        const double s0 = static_cast<double>(lastScale) * lastScale;
        const double s1 = static_cast<double>(scale) * scale;
        const double perArea = (median - lastMedian) / (s1 - s0);
        const double fixed = median - perArea * s1;
        fixedShare = perArea > 0.0 ? std::clamp(fixed / median, 0.0, kLargestFixedShare) : 0.0;
    }
    lastMedian = median;
    lastScale = scale;

    const float down = static_cast<float>(ScaleFor(kTargetFrameSeconds, median, scale, fixedShare));
    const float up =
        static_cast<float>(ScaleFor(kTargetFrameSeconds * kHeadroomUp, median, scale, fixedShare));
    if (median > kTargetFrameSeconds * kSlowAbove) {
        // Slow: straight to the predicted scale, at least one step down.
        scale = std::min(SnapToStep(down), SnapToStep(scale - kStep));
    } else if (up >= scale + kStep) {
        scale = SnapToStep(std::floor(up / kStep) * kStep);
    }
}

PictureSize ScaledSize(int width, int height, float scale) {
    return {std::max(1, static_cast<int>(std::lround(width * scale))),
            std::max(1, static_cast<int>(std::lround(height * scale)))};
}

std::optional<RenderScaleControl> ParseRenderScale(const char* text) {
    if (std::strcmp(text, "auto") == 0) return RenderScaleControl::Adaptive();
    char* end = nullptr;
    const float value = std::strtof(text, &end);
    if (end == text || *end != '\0' || !(value >= RenderScaleControl::kMinimum) ||
        !(value <= RenderScaleControl::kMaximum))
        return std::nullopt;
    return RenderScaleControl::Fixed(value);
}
