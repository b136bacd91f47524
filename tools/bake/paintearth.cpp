#include "noise.h"
#include "painters.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace Halvex::Bake
{
namespace
{

struct SurfaceSample
{
    float height;   // above sea level > 0
    float latitude; // radians
    float x, y, z;  // unit direction
};

float Smooth(float edge0, float edge1, float x)
{
    const float t = std::clamp((x - edge0) / (edge1 - edge0), 0.0f, 1.0f);
    return t * t * (3.0f - 2.0f * t);
}

// Sampled on the sphere, so the maps wrap around without a seam and the poles do not pinch.
float HeightAt(float x, float y, float z)
{
    const float n = FractalNoise(x * 1.6f + 3.1f, y * 1.6f + 1.7f, z * 1.6f + 5.3f, 7, 101);
    return (n - 0.53f) * 2.0f;
}

SurfaceSample SampleAt(float u, float v)
{
    const double longitude = (static_cast<double>(u) - 0.5) * 2.0 * std::numbers::pi;
    const double latitude = (0.5 - static_cast<double>(v)) * std::numbers::pi;
    SurfaceSample sample;
    sample.latitude = static_cast<float>(latitude);
    sample.x = static_cast<float>(std::cos(latitude) * std::sin(longitude));
    sample.y = static_cast<float>(std::sin(latitude));
    sample.z = static_cast<float>(std::cos(latitude) * std::cos(longitude));
    sample.height = HeightAt(sample.x, sample.y, sample.z);
    return sample;
}

Rgba DayColour(const SurfaceSample& s)
{
    const float polar = std::abs(s.latitude) / (std::numbers::pi_v<float> * 0.5f);
    const float ice = Smooth(
        0.78f, 0.86f, polar + (FractalNoise(s.x * 6, s.y * 6, s.z * 6, 3, 5) - 0.5f) * 0.12f);
    Rgba colour;
    if (s.height <= 0.0f)
    {
        colour = Mix(Hex(0x0b2a5e), Hex(0x2f78b8), Smooth(-0.25f, 0.0f, s.height));
    }
    else
    {
        const float dry = Smooth(0.45f, 0.75f,
                                 FractalNoise(s.x * 3, s.y * 3, s.z * 3, 4, 9) +
                                     0.35f * (1.0f - std::abs(polar - 0.28f) * 4.0f));
        colour = Mix(Hex(0x3d7a34), Hex(0xc9ab6e), dry);
        colour = Mix(colour, Hex(0x7b6a58), Smooth(0.12f, 0.3f, s.height));
        colour = Mix(Hex(0xd8cc9a), colour, Smooth(0.0f, 0.02f, s.height));
    }
    return Mix(colour, Hex(0xf4f7fb), ice);
}

Rgba NightColour(const SurfaceSample& s, float u, float v)
{
    if (s.height <= 0.0f)
    {
        return Hex(0x020611);
    }
    // Cities crowd along coasts and in temperate belts.
    const float people =
        FractalNoise(s.x * 8, s.y * 8, s.z * 8, 4, 23) * (1.2f - std::abs(s.latitude)) +
        0.35f * (1.0f - Smooth(0.0f, 0.06f, s.height));
    const float spark =
        Hash(static_cast<int32_t>(u * 2048.0f), static_cast<int32_t>(v * 1024.0f), 0, 31);
    const float glow = Smooth(0.4f, 0.7f, people) * (0.25f + 0.75f * spark);
    return Mix(Hex(0x0a0b0d), Hex(0xffd27a), glow);
}

} // namespace

EarthMaps PaintEarth(int width, int height)
{
    EarthMaps maps;
    maps.colour = Canvas(width, height, Rgba{});
    maps.night = Canvas(width, height, Rgba{});
    maps.normal = Canvas(width, height, Rgba{});
    maps.cloud = Canvas(width, height, Rgba{});
    std::vector<float> heights(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (int y = 0; y < height; ++y)
    {
        for (int x = 0; x < width; ++x)
        {
            const float u = (static_cast<float>(x) + 0.5f) / static_cast<float>(width);
            const float v = (static_cast<float>(y) + 0.5f) / static_cast<float>(height);
            const SurfaceSample s = SampleAt(u, v);
            heights[static_cast<size_t>(y * width + x)] = std::max(s.height, 0.0f);
            maps.colour.Set(x, y, DayColour(s));
            maps.night.Set(x, y, NightColour(s, u, v));
            // Swirled clouds: noise looked up through another noise.
            const float warp = FractalNoise(s.x * 2.0f, s.y * 2.0f, s.z * 2.0f, 3, 41) * 2.5f;
            const float cloud =
                FractalNoise(s.x * 3.0f + warp, s.y * 6.0f, s.z * 3.0f - warp, 6, 43);
            maps.cloud.Set(x, y, {1.0f, 1.0f, 1.0f, Smooth(0.48f, 0.7f, cloud) * 0.95f});
        }
    }
    // Normals from the land's height, wrapping around in longitude.
    const auto heightAt = [&](int x, int y)
    {
        x = (x + width) % width;
        y = std::clamp(y, 0, height - 1);
        return heights[static_cast<size_t>(y * width + x)];
    };
    constexpr float RELIEF = 40.0f;
    for (int y = 0; y < height; ++y)
    {
        for (int x = 0; x < width; ++x)
        {
            const float du = (heightAt(x + 1, y) - heightAt(x - 1, y)) * RELIEF;
            const float dv = (heightAt(x, y + 1) - heightAt(x, y - 1)) * RELIEF;
            const float length = std::sqrt(du * du + dv * dv + 1.0f);
            maps.normal.Set(
                x, y,
                {0.5f - 0.5f * du / length, 0.5f - 0.5f * dv / length, 0.5f + 0.5f / length, 1.0f});
        }
    }
    return maps;
}

} // namespace Halvex::Bake
