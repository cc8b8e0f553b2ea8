#include "audio_analysis.h"

#include <algorithm>
#include <cmath>
#include <complex>

#include "circle.h"

namespace lumenvale::music {

namespace {

constexpr std::size_t kFrameSize = 4096;

double ToDbfs(double amplitude) {
    return amplitude > 0.0 ? std::max(kSilenceDbfs, 20.0 * std::log10(amplitude)) : kSilenceDbfs;
}

// In-place iterative radix-2 FFT; the size must be a power of two.
void Fft(std::vector<std::complex<double>>& data) {
    const std::size_t n = data.size();
    for (std::size_t i = 1, j = 0; i < n; ++i) {
        std::size_t bit = n >> 1;
        for (; j & bit; bit >>= 1) j ^= bit;
        j ^= bit;
        if (i < j) std::swap(data[i], data[j]);
    }
    for (std::size_t length = 2; length <= n; length <<= 1) {
        const std::complex<double> step = std::polar(1.0, -2.0 * kPi / static_cast<double>(length));
        for (std::size_t start = 0; start < n; start += length) {
            std::complex<double> twiddle = 1.0;
            for (std::size_t k = 0; k < length / 2; ++k) {
                const std::complex<double> even = data[start + k];
                const std::complex<double> odd = data[start + k + length / 2] * twiddle;
                data[start + k] = even + odd;
                data[start + k + length / 2] = even - odd;
                twiddle *= step;
            }
        }
    }
}

}  // namespace

std::vector<float> MonoMix(const std::vector<std::int16_t>& interleavedStereo) {
    std::vector<float> mono(interleavedStereo.size() / 2);
    for (std::size_t i = 0; i < mono.size(); ++i) {
        const double sum = interleavedStereo[2 * i] + interleavedStereo[2 * i + 1];
        mono[i] = static_cast<float>(sum / (2.0 * 32768.0));
    }
    return mono;
}

double RmsDbfs(const std::vector<float>& samples, std::size_t begin, std::size_t end) {
    end = std::min(end, samples.size());
    if (begin >= end) return kSilenceDbfs;
    double sum = 0.0;
    for (std::size_t i = begin; i < end; ++i) sum += static_cast<double>(samples[i]) * samples[i];
    return ToDbfs(std::sqrt(sum / static_cast<double>(end - begin)));
}

double PeakDbfs(const std::vector<float>& samples, std::size_t begin, std::size_t end) {
    end = std::min(end, samples.size());
    double peak = 0.0;
    for (std::size_t i = begin; i < end; ++i) peak = std::max(peak, std::fabs(double{samples[i]}));
    return ToDbfs(peak);
}

double SpectralCentroidHz(const std::vector<float>& samples, std::size_t begin, std::size_t end,
                          int sampleRate) {
    end = std::min(end, samples.size());
    std::vector<double> power(kFrameSize / 2, 0.0);
    std::vector<std::complex<double>> frame(kFrameSize);
    for (std::size_t start = begin; start + kFrameSize <= end; start += kFrameSize) {
        for (std::size_t i = 0; i < kFrameSize; ++i) {
            const double window =
                0.5 - 0.5 * std::cos(2.0 * kPi * static_cast<double>(i) / kFrameSize);
            frame[i] = window * samples[start + i];
        }
        Fft(frame);
        for (std::size_t bin = 0; bin < power.size(); ++bin) power[bin] += std::norm(frame[bin]);
    }
    double weighted = 0.0;
    double total = 0.0;
    for (std::size_t bin = 0; bin < power.size(); ++bin) {
        const double frequency = static_cast<double>(bin) * sampleRate / kFrameSize;
        weighted += frequency * power[bin];
        total += power[bin];
    }
    return total > 0.0 ? weighted / total : 0.0;
}

}  // namespace lumenvale::music
