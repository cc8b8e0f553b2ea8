#pragma once

#include <cstdint>

// Deterministic hash-based noise. Everything the generator makes is derived from these functions
// with fixed seeds, so the output files are byte-identical from run to run and machine to machine.

// A well-mixed 32-bit hash of a lattice point.
uint32_t HashLattice(int32_t x, int32_t y, uint32_t seed);

// A uniform value in [0, 1) from a lattice point.
float Hash01(int32_t x, int32_t y, uint32_t seed);

// Smooth gradient noise in about [-1, 1], zero on the integer lattice.
float GradientNoise(float x, float y, uint32_t seed);

// Fractal sum of gradient noise: each octave doubles the frequency and halves the amplitude.
// The result is normalised to about [-1, 1].
float Fbm(float x, float y, int octaves, uint32_t seed);

// Ridged fractal noise in [0, 1]: sharp crests where the noise crosses zero (rock ridges, cracks).
float RidgedFbm(float x, float y, int octaves, uint32_t seed);

// Ridged fractal noise in [0, 1] with an eroded look: each octave is damped where the octaves
// before it are already steep, so slopes stay smooth while crests and flats keep fine detail.
float ErodedRidges(float x, float y, int octaves, uint32_t seed);

// Value noise in [0, 1]: random values on the integer lattice, smoothly interpolated. With a
// period p > 0 the lattice repeats every p cells in x and y, so the noise tiles.
float ValueNoise(float x, float y, uint32_t seed, int32_t period = 0);
