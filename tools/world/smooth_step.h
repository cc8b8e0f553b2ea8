#pragma once

#include <algorithm>

// Hermite step from 0 at edge0 to 1 at edge1; edge0 may be larger than edge1 for a falling step.
inline float SmoothStep(float edge0, float edge1, float x) {
    const float t = std::clamp((x - edge0) / (edge1 - edge0), 0.0f, 1.0f);
    return t * t * (3.0f - 2.0f * t);
}
