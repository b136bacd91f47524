#pragma once
// Deterministic value noise: an integer hash of the lattice, no random generator state.

#include <cstdint>

namespace Halvex::Bake
{

// Smooth noise in [0, 1] over 3D space; seed picks an independent field.
float ValueNoise(float x, float y, float z, uint32_t seed);

// Sum of octaves, each twice the frequency and half the amplitude of the last; in [0, 1].
float FractalNoise(float x, float y, float z, int octaves, uint32_t seed);

// A hash of three integers and a seed, in [0, 1).
float Hash(int32_t x, int32_t y, int32_t z, uint32_t seed);

} // namespace Halvex::Bake
