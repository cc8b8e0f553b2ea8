#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace lumenvale::music {

// Level reported for digital silence instead of minus infinity.
constexpr double kSilenceDbfs = -120.0;

// Mono mix, (left + right) / 2, of interleaved 16-bit stereo, full scale at +-1.
std::vector<float> MonoMix(const std::vector<std::int16_t>& interleavedStereo);

// Root-mean-square and peak level of samples [begin, end), in dB relative to full scale (a full
// scale sine has an RMS of -3 dBFS).
double RmsDbfs(const std::vector<float>& samples, std::size_t begin, std::size_t end);
double PeakDbfs(const std::vector<float>& samples, std::size_t begin, std::size_t end);

// Power-weighted mean frequency of samples [begin, end): how bright the passage sounds. Averages
// Hann-windowed spectra of 4096-sample frames; 0 for silence or a passage shorter than a frame.
double SpectralCentroidHz(const std::vector<float>& samples, std::size_t begin, std::size_t end,
                          int sampleRate);

}  // namespace lumenvale::music
