#pragma once

#include <cstdint>

// The per-plant random variation of the turning angle, in [0.9, 1.1), drawn from `seed`.
float DrawPlantVariation(uint32_t seed);

// Leaf turning angle in radians: (60 - 35 * heightFactor) degrees, scaled by the variation.
// Deeper plants (heightFactor towards 1) hold their leaves closer to the stem.
float PlantTurningAngle(float heightFactor, float variation);
