#include "render/render_scale.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

constexpr float kStep = 0.05f;
constexpr float kLargestStepDown = 0.25f;
// Below this share of the target the frames are fast enough to afford the next step up; the
// gap to the target keeps the scale from swinging between two neighbours.
constexpr double kStepUpBelow = 0.7;
constexpr double kStepDownAbove = 1.1;

float SnapToStep(float scale) {
    return std::clamp(std::round(scale / kStep) * kStep, RenderScaleControl::kMinimum,
                      RenderScaleControl::kMaximum);
}

double Median(std::vector<double> values) {
    const auto middle = values.begin() + static_cast<long>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
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
    if (static_cast<int>(frameTimes.size()) < kFramesPerDecision) return;
    const double median = Median(frameTimes);
    frameTimes.clear();

    if (median > kTargetFrameSeconds * kStepDownAbove) {
        // Most of a slow frame is fill, which goes with the picture's area: aim straight for the
        // target, but never drop more than a few steps at once.
        const float wanted = scale * static_cast<float>(std::sqrt(kTargetFrameSeconds / median));
        const float aimed = SnapToStep(std::max(wanted, scale - kLargestStepDown));
        // Snapping may round back up to the current scale: slow frames always give one step.
        scale = std::min(aimed, SnapToStep(scale - kStep));
    } else if (median < kTargetFrameSeconds * kStepUpBelow) {
        scale = SnapToStep(scale + kStep);
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
