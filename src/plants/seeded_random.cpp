#include "plants/seeded_random.h"

#include <cmath>

float UniformReal(std::mt19937& engine, float a, float b) {
    const float twoToMinus32 = 0x1p-32f;
    float unit = static_cast<float>(engine()) * twoToMinus32;
    // Outputs within 128 of 2^32 round up to 2^32 as a float.
    if (unit >= 1.0f) {
        unit = std::nextafter(1.0f, 0.0f);
    }
    const float width = b - a;
    return unit * width + a;
}

uint32_t UniformInt(std::mt19937& engine, uint32_t lo, uint32_t hi) {
    const uint64_t rangeSize = static_cast<uint64_t>(hi) - lo + 1;
    uint64_t product = static_cast<uint64_t>(engine()) * rangeSize;
    uint64_t low = product & 0xFFFFFFFFu;
    if (low < rangeSize) {
        // Products whose low word falls below this threshold would favour some results.
        const uint64_t threshold = ((uint64_t{1} << 32) - rangeSize) % rangeSize;
        while (low < threshold) {
            product = static_cast<uint64_t>(engine()) * rangeSize;
            low = product & 0xFFFFFFFFu;
        }
    }
    return lo + static_cast<uint32_t>(product >> 32);
}
