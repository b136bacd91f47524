#include "painters.h"
#include "sdf.h"

namespace Halvex::Bake
{
namespace
{
using namespace Sdf;

// Sky, sun, hills, bamboo and leaves.
void PaintScenery(Canvas& canvas)
{
    canvas.Shade([](Point p) { return Mix(Hex(0x8fd0f2), Hex(0xe9f6fb), p.y * 1.4f); });
    // Sun in the top-left corner, hills along the bottom.
    canvas.Fill([](Point p) { return Circle(p, {0.0f, 0.0f}, 0.2f); }, Hex(0xffd23f));
    canvas.Fill([](Point p) { return Circle(p, {0.0f, 0.0f}, 0.26f); }, Hex(0xffe680, 0.5f));
    canvas.Fill([](Point p) { return Ellipse(p, {0.75f, 1.12f}, 0.7f, 0.3f); }, Hex(0x7fbf4d));
    canvas.Fill([](Point p) { return Ellipse(p, {0.1f, 1.08f}, 0.5f, 0.2f); }, Hex(0x5e9e3a));

    // Bamboo along the left edge, from the top to the bottom.
    for (float x : {0.07f, 0.17f})
    {
        canvas.Fill(
            [=](Point p) {
                return Box(p, {x, 0.5f}, 0.028f, 0.6f, 0.01f);
            },
            [=](Point p) { return Mix(Hex(0x4e8f2c), Hex(0x8cc653), (p.x - x + 0.03f) * 14.0f); });
        for (float node : {0.12f, 0.38f, 0.64f, 0.9f})
        {
            const float y = node + x * 0.6f;
            canvas.Fill(
                [=](Point p) {
                    return Box(p, {x, y}, 0.032f, 0.006f, 0.004f);
                },
                Hex(0x3b6e20));
        }
    }
    for (const auto& leaf : {Point{0.26f, 0.2f}, Point{0.25f, 0.46f}, Point{0.03f, 0.74f}})
    {
        canvas.Fill([=](Point p) { return Ellipse(Turn(p, leaf, 0.5f), leaf, 0.09f, 0.025f); },
                    Hex(0x5aa336));
    }
}

void PaintHead(Canvas& canvas)
{
    // Head, ears, the right ear's bow.
    const Point head{0.6f, 0.56f};
    canvas.Fill([=](Point p) { return Circle(p, {0.38f, 0.3f}, 0.1f); }, Hex(0x1b1b1f));
    canvas.Fill([=](Point p) { return Circle(p, {0.83f, 0.29f}, 0.1f); }, Hex(0x1b1b1f));
    canvas.Fill([=](Point p) { return Ellipse(p, head, 0.31f, 0.28f); }, Hex(0x3a3a40));
    canvas.Fill([=](Point p) { return Ellipse(p, head, 0.3f, 0.27f); },
                [=](Point p) { return Mix(Hex(0xffffff), Hex(0xdcdcd6), (p.y - 0.35f) * 1.6f); });
    const Point bow{0.86f, 0.2f};
    canvas.Fill(
        [=](Point p) {
            return Triangle(p, bow, {0.76f, 0.11f}, {0.77f, 0.27f});
        },
        Hex(0xe0323c));
    canvas.Fill(
        [=](Point p) {
            return Triangle(p, bow, {0.96f, 0.12f}, {0.95f, 0.28f});
        },
        Hex(0xe0323c));
    canvas.Fill([=](Point p) { return Circle(p, bow, 0.03f); }, Hex(0xa81c26));

    // Eye patches tilted outwards, eyes looking to the right.
    for (const auto& [centre, tilt] :
         {std::pair{Point{0.49f, 0.53f}, 0.45f}, std::pair{Point{0.71f, 0.53f}, -0.45f}})
    {
        canvas.Fill([=](Point p) { return Ellipse(Turn(p, centre, tilt), centre, 0.065f, 0.09f); },
                    Hex(0x1b1b1f));
        canvas.Fill(
            [=](Point p) {
                return Circle(p, {centre.x + 0.01f, centre.y - 0.01f}, 0.03f);
            },
            Hex(0xffffff));
        canvas.Fill(
            [=](Point p) {
                return Circle(p, {centre.x + 0.022f, centre.y - 0.008f}, 0.016f);
            },
            Hex(0x101014));
    }
    canvas.Fill([](Point p) { return Ellipse(p, {0.6f, 0.66f}, 0.045f, 0.03f); }, Hex(0x1b1b1f));
    canvas.Fill(
        [](Point p)
        {
            return Union(Segment(p, {0.6f, 0.69f}, {0.57f, 0.735f}, 0.006f),
                         Segment(p, {0.6f, 0.69f}, {0.64f, 0.73f}, 0.006f));
        },
        Hex(0x1b1b1f));
    canvas.Fill([](Point p) { return Circle(p, {0.8f, 0.66f}, 0.035f); }, Hex(0xff8fa3, 0.6f));
}
} // namespace

Canvas PaintPanda(int size)
{
    Canvas canvas(size, size, Rgba{});
    PaintScenery(canvas);
    PaintHead(canvas);
    return canvas;
}

} // namespace Halvex::Bake
