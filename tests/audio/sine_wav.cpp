#include "sine_wav.h"

#include <cmath>
#include <cstdint>

#include "support/wave_file.h"

std::string SineWav(double seconds) {
    const WaveFormat format;  // 44.1 kHz, 16-bit stereo
    const auto frames = static_cast<std::int64_t>(seconds * format.rate);
    std::vector<std::int64_t> samples;
    for (std::int64_t frame = 0; frame < frames; ++frame) {
        const double phase = 2.0 * M_PI * 440.0 * static_cast<double>(frame) / format.rate;
        const std::int64_t sample = std::lround(8000.0 * std::sin(phase));
        samples.insert(samples.end(), format.channels, sample);
    }
    return WaveBytes(format, LittleEndian(samples, 2));
}
