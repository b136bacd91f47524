#include "painters.h"
#include "sdf.h"

#include <algorithm>
#include <cmath>

namespace Halvex::Bake
{
namespace
{
// A unit sphere seen straight on, lit from the upper left: Lambert with a Phong highlight,
// the way the lessons' lighting looks.
Rgba ShadeSphere(Point p, Point centre, float radius)
{
    const float x = (p.x - centre.x) / radius;
    const float y = (centre.y - p.y) / radius;
    const float z = std::sqrt(std::max(0.0f, 1.0f - x * x - y * y));
    const float lx = -0.48f, ly = 0.6f, lz = 0.64f;
    const float diffuse = std::max(0.0f, x * lx + y * ly + z * lz);
    // Reflection of the light about the normal, against the viewer on +z.
    const float reflectZ = 2.0f * (x * lx + y * ly + z * lz) * z - lz;
    const float specular = std::pow(std::max(0.0f, reflectZ), 40.0f);
    const Rgba base = Mix(Hex(0x1d3f8f), Hex(0x4fa3ff), diffuse);
    return Mix(base, Hex(0xffffff), specular);
}
} // namespace

Canvas PaintIcon(int size)
{
    using namespace Sdf;
    Canvas canvas(size, size, Rgba{0.0f, 0.0f, 0.0f, 0.0f});
    // A dark tile with a floor grid in perspective, a sphere standing on it and its shadow.
    const auto tile = [](Point p) { return Box(p, {0.5f, 0.5f}, 0.46f, 0.46f, 0.1f); };
    canvas.Fill(tile, [](Point p) { return Mix(Hex(0x202a3a), Hex(0x0b0f16), p.y); });
    const auto floorLines = [=](Point p)
    {
        float d = 1.0f;
        for (int i = -3; i <= 3; ++i)
        {
            const float spread = static_cast<float>(i);
            d = Union(d, Segment(p, {0.5f + spread * 0.035f, 0.62f}, {0.5f + spread * 0.13f, 0.94f},
                                 0.004f));
        }
        for (const float y : {0.66f, 0.72f, 0.81f, 0.93f})
        {
            d = Union(d, Segment(p, {0.06f, y}, {0.94f, y}, 0.004f));
        }
        return Intersect(d, tile(p));
    };
    canvas.Fill(floorLines, Hex(0x3c6e8f, 0.8f));
    canvas.Fill(
        [](Point p) {
            return Ellipse(p, {0.53f, 0.79f}, 0.25f, 0.06f);
        },
        Hex(0x000000, 0.55f), 0.05f);
    const Point centre{0.5f, 0.47f};
    const float radius = 0.3f;
    canvas.Fill([=](Point p) { return Circle(p, centre, radius); },
                [=](Point p) { return ShadeSphere(p, centre, radius); });
    return canvas;
}

} // namespace Halvex::Bake
