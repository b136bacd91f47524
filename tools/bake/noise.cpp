#include "noise.h"

#include <cmath>

namespace Halvex::Bake
{

float Hash(int32_t x, int32_t y, int32_t z, uint32_t seed)
{
    uint32_t h = seed * 0x9e3779b9u;
    h ^= static_cast<uint32_t>(x) * 0x85ebca6bu;
    h = (h << 13) | (h >> 19);
    h ^= static_cast<uint32_t>(y) * 0xc2b2ae35u;
    h = (h << 17) | (h >> 15);
    h ^= static_cast<uint32_t>(z) * 0x27d4eb2fu;
    h ^= h >> 16;
    h *= 0x7feb352du;
    h ^= h >> 15;
    h *= 0x846ca68bu;
    h ^= h >> 16;
    return static_cast<float>(h >> 8) / 16777216.0f;
}

namespace
{

float Fade(float t)
{
    return t * t * t * (t * (t * 6.0f - 15.0f) + 10.0f);
}
float Lerp(float a, float b, float t)
{
    return a + (b - a) * t;
}

} // namespace

float ValueNoise(float x, float y, float z, uint32_t seed)
{
    const float fx = std::floor(x);
    const float fy = std::floor(y);
    const float fz = std::floor(z);
    const int32_t ix = static_cast<int32_t>(fx);
    const int32_t iy = static_cast<int32_t>(fy);
    const int32_t iz = static_cast<int32_t>(fz);
    const float tx = Fade(x - fx);
    const float ty = Fade(y - fy);
    const float tz = Fade(z - fz);
    float layer[2];
    for (int dz = 0; dz < 2; ++dz)
    {
        const float a = Lerp(Hash(ix, iy, iz + dz, seed), Hash(ix + 1, iy, iz + dz, seed), tx);
        const float b =
            Lerp(Hash(ix, iy + 1, iz + dz, seed), Hash(ix + 1, iy + 1, iz + dz, seed), tx);
        layer[dz] = Lerp(a, b, ty);
    }
    return Lerp(layer[0], layer[1], tz);
}

float FractalNoise(float x, float y, float z, int octaves, uint32_t seed)
{
    float sum = 0.0f;
    float amplitude = 0.5f;
    float total = 0.0f;
    for (int octave = 0; octave < octaves; ++octave)
    {
        sum += ValueNoise(x, y, z, seed + static_cast<uint32_t>(octave)) * amplitude;
        total += amplitude;
        x *= 2.0f;
        y *= 2.0f;
        z *= 2.0f;
        amplitude *= 0.5f;
    }
    return sum / total;
}

} // namespace Halvex::Bake
