#pragma once

#include <cstdint>
#include <random>

// Seeded draws that give the same numbers with every standard library: the engine's raw output
// is exact everywhere, but the standard distributions are not, so the plants would move.

// Uniform float in [a, b): the raw output scaled by 2^-32 in single precision, kept below 1.
float UniformReal(std::mt19937& engine, float a, float b);

// Uniform integer in [lo, hi] by Lemire's nearly divisionless method.
uint32_t UniformInt(std::mt19937& engine, uint32_t lo, uint32_t hi);
