#pragma once

// Ease-in/ease-out weight t*t*(3 - 2t). The caller clamps t to [0, 1]; the operation order is
// fixed so that every user of the easing gets bit-identical results.
inline float smooth01(float t) {
    return (3.0f - (t + t)) * (t * t);
}
