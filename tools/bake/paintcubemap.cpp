#include "noise.h"
#include "painters.h"
#include "sdf.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace Halvex::Bake
{
namespace
{

struct Direction
{
    float x, y, z;
};

// Direct3D's cube faces: s runs left to right and t top to bottom across the picture.
Direction FaceDirection(int face, float s, float t)
{
    Direction d{};
    switch (face)
    {
    case 0:
        d = {1.0f, -t, -s};
        break;
    case 1:
        d = {-1.0f, -t, s};
        break;
    case 2:
        d = {s, 1.0f, t};
        break;
    case 3:
        d = {s, -1.0f, -t};
        break;
    case 4:
        d = {s, -t, 1.0f};
        break;
    default:
        d = {-s, -t, -1.0f};
        break;
    }
    const float length = std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z);
    return {d.x / length, d.y / length, d.z / length};
}

float Smooth(float edge0, float edge1, float x)
{
    const float t = std::clamp((x - edge0) / (edge1 - edge0), 0.0f, 1.0f);
    return t * t * (3.0f - 2.0f * t);
}

// Sky with a sun and clouds, a ring of far hills on the horizon, tiled grass below.
Rgba Environment(const Direction& d)
{
    const float azimuth = std::atan2(d.x, d.z);
    const float ridge = 0.03f + 0.07f * FractalNoise(std::cos(azimuth) * 2.0f + 4.0f,
                                                     std::sin(azimuth) * 2.0f + 4.0f, 0.0f, 4, 61);
    if (d.y >= ridge)
    {
        Rgba sky = Mix(Hex(0xd9ecf7), Hex(0x2c64b0), std::pow(std::max(d.y, 0.0f), 0.55f));
        const float cloud = FractalNoise(d.x * 5.0f, d.y * 9.0f, d.z * 5.0f, 5, 67);
        sky =
            Mix(sky, Hex(0xffffff), Smooth(0.55f, 0.72f, cloud) * Smooth(0.05f, 0.3f, d.y) * 0.9f);
        const Direction sun{0.55f, 0.45f, 0.7f};
        const float length = std::sqrt(sun.x * sun.x + sun.y * sun.y + sun.z * sun.z);
        const float facing = (d.x * sun.x + d.y * sun.y + d.z * sun.z) / length;
        sky = Mix(sky, Hex(0xfff3c4), Smooth(0.93f, 1.0f, facing) * 0.6f);
        return Mix(sky, Hex(0xfffbe8), Smooth(0.9985f, 0.999f, facing));
    }
    if (d.y >= 0.0f)
    {
        return Mix(Hex(0x4f7a66), Hex(0x7fa391), d.y / ridge);
    }
    // Tiles of the ground plane one unit below the eye, fading to their average far away;
    // their edges stay off the cube's edges (at +-1), where a face seam would cut a tile.
    const float gx = d.x / -d.y;
    const float gz = d.z / -d.y;
    const bool dark =
        (static_cast<int>(std::floor(gx + 0.3f)) + static_cast<int>(std::floor(gz + 0.5f))) % 2 !=
        0;
    const Rgba tile = dark ? Hex(0x4a8a37) : Hex(0x67a94c);
    const float distance = std::sqrt(gx * gx + gz * gz);
    return Mix(tile, Hex(0x5a9a42), Smooth(3.0f, 9.0f, distance));
}

using namespace Sdf;

// +X: a lighthouse on rocks
void PaintLighthouse(Canvas& canvas)
{
    canvas.Fill([](Point p) { return Ellipse(p, {0.5f, 0.53f}, 0.16f, 0.05f); }, Hex(0x6d6a66));
    canvas.Fill(
        [](Point p)
        {
            return Union(Triangle(p, {0.43f, 0.52f}, {0.57f, 0.52f}, {0.53f, 0.22f}),
                         Triangle(p, {0.43f, 0.52f}, {0.53f, 0.22f}, {0.47f, 0.22f}));
        },
        [](Point p) { return std::fmod(p.y, 0.1f) < 0.05f ? Hex(0xd42a2a) : Hex(0xf5f5f0); });
    canvas.Fill([](Point p) { return Box(p, {0.5f, 0.195f}, 0.035f, 0.025f); }, Hex(0xffe46b));
    canvas.Fill(
        [](Point p) {
            return Triangle(p, {0.455f, 0.17f}, {0.545f, 0.17f}, {0.5f, 0.12f});
        },
        Hex(0xa81e1e));
}

// -X: a windmill
void PaintWindmill(Canvas& canvas)
{
    canvas.Fill(
        [](Point p)
        {
            return Union(Triangle(p, {0.43f, 0.52f}, {0.57f, 0.52f}, {0.54f, 0.3f}),
                         Triangle(p, {0.43f, 0.52f}, {0.54f, 0.3f}, {0.46f, 0.3f}));
        },
        Hex(0x9a6b3f));
    canvas.Fill(
        [](Point p) {
            return Triangle(p, {0.445f, 0.31f}, {0.555f, 0.31f}, {0.5f, 0.25f});
        },
        Hex(0x5a3b22));
    for (int blade = 0; blade < 4; ++blade)
    {
        const float angle = 0.4f + static_cast<float>(blade) * std::numbers::pi_v<float> * 0.5f;
        canvas.Fill(
            [=](Point p) {
                return Box(Turn(p, {0.5f, 0.3f}, angle), {0.5f + 0.09f, 0.3f}, 0.09f, 0.018f);
            },
            Hex(0xf2eee4));
    }
    canvas.Fill([](Point p) { return Circle(p, {0.5f, 0.3f}, 0.015f); }, Hex(0x3a2a1a));
}

// +Z: a house with a red roof
void PaintHouse(Canvas& canvas)
{
    canvas.Fill([](Point p) { return Box(p, {0.6f, 0.3f}, 0.02f, 0.06f); }, Hex(0x7a4a3a));
    canvas.Fill([](Point p) { return Box(p, {0.5f, 0.45f}, 0.13f, 0.075f); }, Hex(0xf3e3c3));
    canvas.Fill(
        [](Point p) {
            return Triangle(p, {0.34f, 0.38f}, {0.66f, 0.38f}, {0.5f, 0.25f});
        },
        Hex(0xc8322a));
    canvas.Fill([](Point p) { return Box(p, {0.46f, 0.475f}, 0.025f, 0.045f); }, Hex(0x6b3e22));
    canvas.Fill([](Point p) { return Box(p, {0.56f, 0.44f}, 0.03f, 0.025f); }, Hex(0x6fb7e8));
}

// -Z: a snow-capped mountain
void PaintMountain(Canvas& canvas)
{
    canvas.Fill(
        [](Point p) {
            return Triangle(p, {0.18f, 0.52f}, {0.82f, 0.52f}, {0.52f, 0.16f});
        },
        [](Point p) { return Mix(Hex(0x8a8f99), Hex(0x5a5f6a), (p.x - 0.3f) * 2.0f); });
    canvas.Fill(
        [](Point p)
        {
            return Intersect(Triangle(p, {0.18f, 0.52f}, {0.82f, 0.52f}, {0.52f, 0.16f}),
                             p.y - 0.27f - 0.02f * std::sin(p.x * 90.0f));
        },
        Hex(0xf7f9fc));
}

// +Y: birds high up
void PaintBirds(Canvas& canvas)
{
    for (const Point& bird : {Point{0.62f, 0.66f}, Point{0.7f, 0.6f}, Point{0.55f, 0.6f}})
    {
        canvas.Fill(
            [=](Point p)
            {
                return Union(Segment(p, {bird.x - 0.04f, bird.y - 0.02f}, bird, 0.006f),
                             Segment(p, bird, {bird.x + 0.04f, bird.y - 0.02f}, 0.006f));
            },
            Hex(0x1d2b3a));
    }
}

// -Y: a compass rose on the ground, red towards -Z
void PaintCompassRose(Canvas& canvas)
{
    canvas.Fill(
        [](Point p) {
            return std::abs(Circle(p, {0.5f, 0.5f}, 0.2f)) - 0.008f;
        },
        Hex(0xf2efe6));
    canvas.Fill(
        [](Point p) {
            return Triangle(p, {0.46f, 0.5f}, {0.54f, 0.5f}, {0.5f, 0.78f});
        },
        Hex(0xd42a2a));
    canvas.Fill(
        [](Point p) {
            return Triangle(p, {0.46f, 0.5f}, {0.54f, 0.5f}, {0.5f, 0.22f});
        },
        Hex(0xf2efe6));
    canvas.Fill(
        [](Point p) {
            return Triangle(p, {0.5f, 0.46f}, {0.5f, 0.54f}, {0.75f, 0.5f});
        },
        Hex(0x2a2a2a));
    canvas.Fill(
        [](Point p) {
            return Triangle(p, {0.5f, 0.46f}, {0.5f, 0.54f}, {0.25f, 0.5f});
        },
        Hex(0x2a2a2a));
}

// The landmark of each face, in Direct3D's face order.
constexpr void (*LANDMARKS[6])(Canvas&) = {
    PaintLighthouse,  // +X
    PaintWindmill,    // -X
    PaintBirds,       // +Y
    PaintCompassRose, // -Y
    PaintHouse,       // +Z
    PaintMountain,    // -Z
};

} // namespace

std::array<Canvas, 6> PaintCubemap(int size, const FontFace& font)
{
    static const char* const NAMES[6] = {"+X", "-X", "+Y", "-Y", "+Z", "-Z"};
    std::array<Canvas, 6> faces = {Canvas(size, size, Rgba{}), Canvas(size, size, Rgba{}),
                                   Canvas(size, size, Rgba{}), Canvas(size, size, Rgba{}),
                                   Canvas(size, size, Rgba{}), Canvas(size, size, Rgba{})};
    for (int face = 0; face < 6; ++face)
    {
        Canvas& canvas = faces[static_cast<size_t>(face)];
        canvas.Shade(
            [&](Point p)
            { return Environment(FaceDirection(face, p.x * 2.0f - 1.0f, p.y * 2.0f - 1.0f)); });
        LANDMARKS[face](canvas);
        const float em = static_cast<float>(size) * 0.16f;
        const float x = (static_cast<float>(size) - font.MeasureText(NAMES[face], em)) * 0.5f;
        const float baseline = static_cast<float>(size) * 0.2f;
        font.DrawText(canvas, NAMES[face], x + 2.0f, baseline + 2.0f, em, Hex(0x0d1b2a, 0.6f));
        font.DrawText(canvas, NAMES[face], x, baseline, em, Hex(0xffffff));
    }
    return faces;
}

} // namespace Halvex::Bake
