#include "mastering.h"

#include <algorithm>
#include <cmath>

#include "circle.h"

namespace lumenvale::music {

namespace {

constexpr double kFullScale = 32767.0;

// 0 at t = 0 rising to 1 at t = 1 without a corner at either end.
double HalfCosine(double t) {
    return 0.5 - 0.5 * std::cos(kPi * std::clamp(t, 0.0, 1.0));
}

std::size_t FrameAt(const StereoBuffer& buffer, double seconds) {
    const double frame = std::max(0.0, std::round(seconds * buffer.sampleRate));
    return std::min(buffer.Frames(), static_cast<std::size_t>(frame));
}

void ScaleFrame(StereoBuffer& buffer, std::size_t frame, double gain) {
    buffer.left[frame] = static_cast<float>(buffer.left[frame] * gain);
    buffer.right[frame] = static_cast<float>(buffer.right[frame] * gain);
}

}  // namespace

void RemoveDc(StereoBuffer& buffer) {
    constexpr double kCutoffHz = 10.0;
    const double pole = std::exp(-2.0 * kPi * kCutoffHz / buffer.sampleRate);
    for (std::vector<float>* channel : {&buffer.left, &buffer.right}) {
        double previousIn = 0.0;
        double previousOut = 0.0;
        for (float& sample : *channel) {
            const double out = sample - previousIn + pole * previousOut;
            previousIn = sample;
            previousOut = out;
            sample = static_cast<float>(out);
        }
    }
}

void FadeIn(StereoBuffer& buffer, double seconds) {
    const std::size_t length = FrameAt(buffer, seconds);
    for (std::size_t i = 0; i < length; ++i) {
        ScaleFrame(buffer, i, HalfCosine(static_cast<double>(i) / static_cast<double>(length)));
    }
}

void FadeOut(StereoBuffer& buffer, double startSeconds, double endSeconds) {
    const std::size_t start = FrameAt(buffer, startSeconds);
    const std::size_t end = std::max(start, FrameAt(buffer, endSeconds));
    const double length = static_cast<double>(end - start);
    for (std::size_t i = start; i < end; ++i) {
        ScaleFrame(buffer, i, HalfCosine(static_cast<double>(end - i) / length));
    }
    for (std::size_t i = end; i < buffer.Frames(); ++i) ScaleFrame(buffer, i, 0.0);
}

void NormalisePeak(StereoBuffer& buffer, double PeakDbfs) {
    float peak = 0.0f;
    for (std::size_t i = 0; i < buffer.Frames(); ++i) {
        peak = std::max({peak, std::fabs(buffer.left[i]), std::fabs(buffer.right[i])});
    }
    if (peak == 0.0f) return;
    const double gain = std::pow(10.0, PeakDbfs / 20.0) / peak;
    for (std::size_t i = 0; i < buffer.Frames(); ++i) ScaleFrame(buffer, i, gain);
}

std::vector<std::int16_t> ToPcm16(const StereoBuffer& buffer) {
    const auto convert = [](float sample) {
        const double scaled = std::round(static_cast<double>(sample) * kFullScale);
        return static_cast<std::int16_t>(std::clamp(scaled, -kFullScale, kFullScale));
    };
    std::vector<std::int16_t> interleaved;
    interleaved.reserve(buffer.Frames() * 2);
    for (std::size_t i = 0; i < buffer.Frames(); ++i) {
        interleaved.push_back(convert(buffer.left[i]));
        interleaved.push_back(convert(buffer.right[i]));
    }
    return interleaved;
}

}  // namespace lumenvale::music
