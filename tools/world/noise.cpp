#include "noise.h"

#include <cmath>

namespace {

// Eight unit gradients; a table keeps the noise free of platform-dependent trigonometry.
constexpr float kDiagonal = 0.70710678f;
constexpr float kGradients[8][2] = {{1.0f, 0.0f},
                                    {-1.0f, 0.0f},
                                    {0.0f, 1.0f},
                                    {0.0f, -1.0f},
                                    {kDiagonal, kDiagonal},
                                    {-kDiagonal, kDiagonal},
                                    {kDiagonal, -kDiagonal},
                                    {-kDiagonal, -kDiagonal}};

float Quintic(float t) {
    return t * t * t * (t * (t * 6.0f - 15.0f) + 10.0f);
}

float GradientDot(int32_t ix, int32_t iy, float dx, float dy, uint32_t seed) {
    const float* g = kGradients[HashLattice(ix, iy, seed) & 7u];
    return g[0] * dx + g[1] * dy;
}

}  // namespace

uint32_t HashLattice(int32_t x, int32_t y, uint32_t seed) {
    uint32_t h = seed * 0x9E3779B9u;
    h ^= static_cast<uint32_t>(x) * 0x85EBCA6Bu;
    h = (h << 13) | (h >> 19);
    h ^= static_cast<uint32_t>(y) * 0xC2B2AE35u;
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return h;
}

float Hash01(int32_t x, int32_t y, uint32_t seed) {
    return static_cast<float>(HashLattice(x, y, seed) >> 8) * (1.0f / 16777216.0f);
}

float GradientNoise(float x, float y, uint32_t seed) {
    const float fx = std::floor(x);
    const float fy = std::floor(y);
    const int32_t ix = static_cast<int32_t>(fx);
    const int32_t iy = static_cast<int32_t>(fy);
    const float dx = x - fx;
    const float dy = y - fy;
    const float n00 = GradientDot(ix, iy, dx, dy, seed);
    const float n10 = GradientDot(ix + 1, iy, dx - 1.0f, dy, seed);
    const float n01 = GradientDot(ix, iy + 1, dx, dy - 1.0f, seed);
    const float n11 = GradientDot(ix + 1, iy + 1, dx - 1.0f, dy - 1.0f, seed);
    const float u = Quintic(dx);
    const float v = Quintic(dy);
    const float bottom = n00 + (n10 - n00) * u;
    const float top = n01 + (n11 - n01) * u;
    // The raw range of 2D gradient noise is about +-0.7; scale it to about +-1.
    return 1.4f * (bottom + (top - bottom) * v);
}

float Fbm(float x, float y, int octaves, uint32_t seed) {
    float sum = 0.0f;
    float amplitude = 1.0f;
    float norm = 0.0f;
    for (int octave = 0; octave < octaves; ++octave) {
        sum += amplitude * GradientNoise(x, y, seed + static_cast<uint32_t>(octave) * 101u);
        norm += amplitude;
        amplitude *= 0.5f;
        // Rotating each octave a little hides the lattice's axis alignment.
        const float rx = 1.6f * x + 1.2f * y + 17.3f;
        const float ry = -1.2f * x + 1.6f * y - 9.1f;
        x = rx;
        y = ry;
    }
    return sum / norm;
}

float RidgedFbm(float x, float y, int octaves, uint32_t seed) {
    float sum = 0.0f;
    float amplitude = 1.0f;
    float norm = 0.0f;
    for (int octave = 0; octave < octaves; ++octave) {
        const float n =
            1.0f - std::fabs(GradientNoise(x, y, seed + static_cast<uint32_t>(octave) * 131u));
        sum += amplitude * n * n;
        norm += amplitude;
        amplitude *= 0.5f;
        const float rx = 1.6f * x + 1.2f * y + 5.7f;
        const float ry = -1.2f * x + 1.6f * y + 23.9f;
        x = rx;
        y = ry;
    }
    return sum / norm;
}

float ErodedRidges(float x, float y, int octaves, uint32_t seed) {
    const auto ridge = [](float px, float py, uint32_t s) {
        const float n = 1.0f - std::fabs(GradientNoise(px, py, s));
        return n * n;
    };
    constexpr float kStep = 1e-3f;
    float sum = 0.0f;
    float amplitude = 1.0f;
    float norm = 0.0f;
    // Slope of the sum so far, in the caller's coordinates; `j` maps them to this octave's.
    float slopeX = 0.0f, slopeY = 0.0f;
    float j00 = 1.0f, j01 = 0.0f, j10 = 0.0f, j11 = 1.0f;
    for (int octave = 0; octave < octaves; ++octave) {
        const uint32_t s = seed + static_cast<uint32_t>(octave) * 173u;
        const float n = ridge(x, y, s);
        const float gx = (ridge(x + kStep, y, s) - n) / kStep;
        const float gy = (ridge(x, y + kStep, s) - n) / kStep;
        // Steep ground so far keeps this octave faint: slopes stay smooth, crests and flats
        // carry the fine detail, as rain leaves them.
        const float damping = 1.0f / (1.0f + 0.5f * (slopeX * slopeX + slopeY * slopeY));
        sum += amplitude * n * damping;
        slopeX += amplitude * damping * (j00 * gx + j10 * gy);
        slopeY += amplitude * damping * (j01 * gx + j11 * gy);
        norm += amplitude;
        amplitude *= 0.5f;
        const float rx = 1.6f * x + 1.2f * y + 3.1f;
        const float ry = -1.2f * x + 1.6f * y + 11.7f;
        x = rx;
        y = ry;
        const float n00 = 1.6f * j00 + 1.2f * j10, n01 = 1.6f * j01 + 1.2f * j11;
        const float n10 = -1.2f * j00 + 1.6f * j10, n11 = -1.2f * j01 + 1.6f * j11;
        j00 = n00, j01 = n01, j10 = n10, j11 = n11;
    }
    return sum / norm;
}

float ValueNoise(float x, float y, uint32_t seed, int32_t period) {
    const float fx = std::floor(x);
    const float fy = std::floor(y);
    const auto wrap = [period](int32_t i) {
        return period > 0 ? ((i % period) + period) % period : i;
    };
    const int32_t x0 = static_cast<int32_t>(fx), y0 = static_cast<int32_t>(fy);
    const int32_t ix = wrap(x0), iy = wrap(y0), jx = wrap(x0 + 1), jy = wrap(y0 + 1);
    const float u = Quintic(x - fx);
    const float v = Quintic(y - fy);
    const float h00 = Hash01(ix, iy, seed), h10 = Hash01(jx, iy, seed);
    const float h01 = Hash01(ix, jy, seed), h11 = Hash01(jx, jy, seed);
    const float bottom = h00 + (h10 - h00) * u;
    const float top = h01 + (h11 - h01) * u;
    return bottom + (top - bottom) * v;
}
