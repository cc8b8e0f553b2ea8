#include "mastering.h"

#include <algorithm>
#include <cmath>

namespace lumenvale::music {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kFullScale = 32767.0;

// 0 at t = 0 rising to 1 at t = 1 without a corner at either end.
double half_cosine(double t) {
    return 0.5 - 0.5 * std::cos(kPi * std::clamp(t, 0.0, 1.0));
}

std::size_t frame_at(const StereoBuffer& buffer, double seconds) {
    const double frame = std::max(0.0, std::round(seconds * buffer.sample_rate));
    return std::min(buffer.frames(), static_cast<std::size_t>(frame));
}

void scale_frame(StereoBuffer& buffer, std::size_t frame, double gain) {
    buffer.left[frame] = static_cast<float>(buffer.left[frame] * gain);
    buffer.right[frame] = static_cast<float>(buffer.right[frame] * gain);
}

}  // namespace

void remove_dc(StereoBuffer& buffer) {
    constexpr double kCutoffHz = 10.0;
    const double pole = std::exp(-2.0 * kPi * kCutoffHz / buffer.sample_rate);
    for (std::vector<float>* channel : {&buffer.left, &buffer.right}) {
        double previous_in = 0.0;
        double previous_out = 0.0;
        for (float& sample : *channel) {
            const double out = sample - previous_in + pole * previous_out;
            previous_in = sample;
            previous_out = out;
            sample = static_cast<float>(out);
        }
    }
}

void fade_in(StereoBuffer& buffer, double seconds) {
    const std::size_t length = frame_at(buffer, seconds);
    for (std::size_t i = 0; i < length; ++i) {
        scale_frame(buffer, i, half_cosine(static_cast<double>(i) / static_cast<double>(length)));
    }
}

void fade_out(StereoBuffer& buffer, double start_seconds, double end_seconds) {
    const std::size_t start = frame_at(buffer, start_seconds);
    const std::size_t end = std::max(start, frame_at(buffer, end_seconds));
    const double length = static_cast<double>(end - start);
    for (std::size_t i = start; i < end; ++i) {
        scale_frame(buffer, i, half_cosine(static_cast<double>(end - i) / length));
    }
    for (std::size_t i = end; i < buffer.frames(); ++i) scale_frame(buffer, i, 0.0);
}

void normalise_peak(StereoBuffer& buffer, double peak_dbfs) {
    float peak = 0.0f;
    for (std::size_t i = 0; i < buffer.frames(); ++i) {
        peak = std::max({peak, std::fabs(buffer.left[i]), std::fabs(buffer.right[i])});
    }
    if (peak == 0.0f) return;
    const double gain = std::pow(10.0, peak_dbfs / 20.0) / peak;
    for (std::size_t i = 0; i < buffer.frames(); ++i) scale_frame(buffer, i, gain);
}

std::vector<std::int16_t> to_pcm16(const StereoBuffer& buffer) {
    const auto convert = [](float sample) {
        const double scaled = std::round(static_cast<double>(sample) * kFullScale);
        return static_cast<std::int16_t>(std::clamp(scaled, -kFullScale, kFullScale));
    };
    std::vector<std::int16_t> interleaved;
    interleaved.reserve(buffer.frames() * 2);
    for (std::size_t i = 0; i < buffer.frames(); ++i) {
        interleaved.push_back(convert(buffer.left[i]));
        interleaved.push_back(convert(buffer.right[i]));
    }
    return interleaved;
}

}  // namespace lumenvale::music
