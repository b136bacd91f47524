#include "painters.h"
#include "sdf.h"

#include <cmath>
#include <numbers>

namespace Halvex::Bake
{
namespace
{

// p relative to the nearest of the points offset + k * period (k whole), so a shape drawn
// around the origin repeats with that period.
float Nearest(float value, float period, float offset)
{
    return value - (std::round((value - offset) / period) * period + offset);
}

Point Repeat(Point p, float periodX, float periodY, Point offset)
{
    return {Nearest(p.x, periodX, offset.x), Nearest(p.y, periodY, offset.y)};
}

// Four petals around the origin and a dot in the middle.
float Rosette(Point q, float size)
{
    using namespace Sdf;
    float d = Circle(q, {}, size * 0.25f);
    for (int petal = 0; petal < 4; ++petal)
    {
        const float angle = static_cast<float>(petal) * std::numbers::pi_v<float> * 0.5f;
        const Point t = Turn(q, {}, angle);
        d = Union(d, Ellipse(t, {size * 0.6f, 0.0f}, size * 0.45f, size * 0.22f));
    }
    return d;
}

} // namespace

Canvas PaintWallpaper(int size)
{
    using namespace Sdf;
    // One diamond is painted, in units of its own width, and laid four across and four down,
    // so the picture tiles exactly.
    constexpr int TILES = 4;
    const Point centre{0.5f, 0.0f};
    Canvas tile(size / TILES, size / TILES, Rgba{});
    tile.Shade(
        [&](Point p)
        {
            const Point q = Repeat(p, 1.0f, 1.0f, centre);
            return Mix(Hex(0x245c69), Hex(0x17404b), std::sqrt(q.x * q.x + q.y * q.y) * 1.4f);
        });
    // Gold lattice along both diagonals with studs where the lines cross.
    tile.Fill(
        [&](Point p)
        {
            const float a = std::abs(Nearest(p.x - p.y, 1.0f, 0.0f)) * 0.7071f;
            const float b = std::abs(Nearest(p.x + p.y, 1.0f, 0.0f)) * 0.7071f;
            return std::min(a, b) - 0.016f;
        },
        Hex(0xd8b25a));
    for (const Point& crossing : {Point{0.0f, 0.0f}, Point{0.5f, 0.5f}})
    {
        tile.Fill([&](Point p) { return Circle(Repeat(p, 1.0f, 1.0f, crossing), {}, 0.056f); },
                  Hex(0xf0d58a));
    }
    // Cream rosettes in the diamonds around small red hearts.
    for (const Point& middle : {centre, Point{0.0f, 0.5f}})
    {
        tile.Fill([&](Point p) { return Rosette(Repeat(p, 1.0f, 1.0f, middle), 0.2f); },
                  Hex(0xf3e7cf));
        tile.Fill([&](Point p) { return Circle(Repeat(p, 1.0f, 1.0f, middle), {}, 0.04f); },
                  Hex(0xc0392b));
    }
    Canvas canvas(size, size, Rgba{});
    for (int y = 0; y < TILES; ++y)
    {
        for (int x = 0; x < TILES; ++x)
        {
            canvas.Draw(tile, x * tile.Width(), y * tile.Height());
        }
    }
    return canvas;
}

Canvas PaintPorcelain(int width, int height)
{
    using namespace Sdf;
    // Canvas y is v scaled by the canvas aspect: rows follow the pot from the knob down.
    Canvas canvas(width, height, Hex(0xf6f8fc));
    const float tall = canvas.Aspect();
    const Rgba cobalt = Hex(0x1f3f9a);
    const auto band = [&](float from, float to)
    { return [=](Point p) { return std::max(from * tall - p.y, p.y - to * tall); }; };
    canvas.Fill(band(0.0f, 0.035f), cobalt);  // knob
    canvas.Fill(band(0.11f, 0.125f), cobalt); // ring on the lid
    canvas.Fill(band(0.19f, 0.245f), cobalt); // the rim
    // Scallops hanging from the rim, thirty-two around.
    const float scallop = 1.0f / 32.0f;
    canvas.Fill(
        [&](Point p) {
            return Circle({Nearest(p.x, scallop, 0.0f), p.y}, {0.0f, 0.245f * tall},
                          scallop * 0.4f);
        },
        Hex(0x4d6fc4));
    // Flowers around the belly, eight around.
    const float flower = 1.0f / 8.0f;
    canvas.Fill(
        [&](Point p) {
            return Rosette({Nearest(p.x, flower, flower * 0.5f), p.y - 0.55f * tall}, 0.03f);
        },
        cobalt);
    canvas.Fill(
        [&](Point p) {
            return Circle({Nearest(p.x, flower, flower * 0.5f), p.y - 0.55f * tall}, {}, 0.008f);
        },
        Hex(0xf6f8fc));
    canvas.Fill(
        [&](Point p)
        {
            const float wave =
                0.42f * tall + 0.012f * std::sin(p.x * 2.0f * std::numbers::pi_v<float> * 16.0f);
            return std::abs(p.y - wave) - 0.003f;
        },
        Hex(0x4d6fc4));
    canvas.Fill(band(0.72f, 0.735f), Hex(0x4d6fc4));
    canvas.Fill(band(0.86f, 1.0f), cobalt); // base
    return canvas;
}

} // namespace Halvex::Bake
