#include "noise.h"
#include "painters.h"
#include "sdf.h"

#include <algorithm>
#include <cmath>

namespace Halvex::Bake
{
namespace
{
using namespace Sdf;

// Canopy: a lumpy cloud of leaves. Its alpha is 255 in the core and falls to 0 across a
// wide, noisy margin; the fall is quadratic so the low alpha values the test reference
// picks (0 to 100) spread over most of the margin.
void PaintCanopy(Canvas& canvas, int size)
{
    const Point lumps[] = {{0.5f, 0.36f},  {0.34f, 0.44f}, {0.66f, 0.44f},
                           {0.42f, 0.26f}, {0.6f, 0.25f},  {0.5f, 0.5f}};
    constexpr float CORE = 0.08f;
    constexpr float MARGIN = 0.2f;
    for (int y = 0; y < size; ++y)
    {
        for (int x = 0; x < size; ++x)
        {
            const Point p{(static_cast<float>(x) + 0.5f) / static_cast<float>(size),
                          (static_cast<float>(y) + 0.5f) / static_cast<float>(size)};
            float d = 1.0f;
            for (const Point& lump : lumps)
            {
                d = std::min(d, Circle(p, lump, 0.12f));
            }
            d += (FractalNoise(p.x * 14.0f, p.y * 14.0f, 0.5f, 4, 7) - 0.5f) * 0.12f;
            const float reach = std::clamp((CORE + MARGIN - d) / MARGIN, 0.0f, 1.0f);
            const float alpha = reach * reach;
            if (alpha <= 0.0f)
            {
                continue;
            }
            const float shade = FractalNoise(p.x * 30.0f, p.y * 30.0f, 2.0f, 3, 11);
            Rgba colour = Mix(Hex(0x2d6e27), Hex(0x8fd35a),
                              std::clamp(shade * 1.2f - (p.y - 0.3f), 0.0f, 1.0f));
            const Rgba under = canvas.Get(x, y);
            canvas.Set(x, y, Over(under, {colour.r, colour.g, colour.b, 1.0f}, alpha));
        }
    }
}
} // namespace

Canvas PaintTree(int size)
{
    const Rgba leaf = Hex(0x3f8f32);
    Canvas canvas(size, size, Rgba{leaf.r, leaf.g, leaf.b, 0.0f});

    // Trunk and roots, opaque.
    const auto trunk = [](Point p)
    {
        float d = Box(p, {0.5f, 0.8f}, 0.045f, 0.2f, 0.01f);
        d = Union(d, Triangle(p, {0.42f, 0.99f}, {0.58f, 0.99f}, {0.5f, 0.8f}));
        d = Union(d, Segment(p, {0.5f, 0.62f}, {0.62f, 0.5f}, 0.018f));
        return Union(d, Segment(p, {0.5f, 0.66f}, {0.38f, 0.54f}, 0.016f));
    };
    canvas.Fill(trunk,
                [](Point p) { return Mix(Hex(0x6b4423), Hex(0x8f6136), (p.x - 0.45f) * 10.0f); });

    PaintCanopy(canvas, size);
    // Apples in the core, opaque.
    for (const Point& apple : {Point{0.4f, 0.34f}, Point{0.58f, 0.3f}, Point{0.52f, 0.45f},
                               Point{0.33f, 0.47f}, Point{0.66f, 0.43f}})
    {
        canvas.Fill([=](Point p) { return Circle(p, apple, 0.022f); }, Hex(0xd8262b));
        canvas.Fill(
            [=](Point p) {
                return Circle(p, {apple.x - 0.007f, apple.y - 0.007f}, 0.006f);
            },
            Hex(0xff9a8a));
    }
    // Fully transparent texels are black, so a draw without the alpha test shows the square
    // the leaves were cut from; the leaf-green ground keeps only the faint margin green.
    for (int y = 0; y < size; ++y)
    {
        for (int x = 0; x < size; ++x)
        {
            if (canvas.Get(x, y).a <= 0.0f)
            {
                canvas.Set(x, y, Rgba{0.0f, 0.0f, 0.0f, 0.0f});
            }
        }
    }
    return canvas;
}

} // namespace Halvex::Bake
