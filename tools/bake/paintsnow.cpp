#include "painters.h"
#include "sdf.h"

#include <numbers>

namespace Halvex::Bake
{

Canvas PaintSnow(int size)
{
    using namespace Sdf;
    const Rgba white = Hex(0xf4f9ff);
    // Transparent black around the flake: additive blending adds nothing there, and with
    // blending off the quad shows as the black square it is.
    Canvas canvas(size, size, Rgba{0.0f, 0.0f, 0.0f, 0.0f});
    const Point centre{0.5f, 0.5f};
    // A faint halo first, then the crystal with feathered edges.
    canvas.Fill([=](Point p) { return Circle(p, centre, 0.2f); }, Hex(0xdcecff, 0.35f), 0.5f);
    const auto flake = [=](Point p)
    {
        float d = Circle(p, centre, 0.06f);
        for (int arm = 0; arm < 6; ++arm)
        {
            const Point q =
                Turn(p, centre, static_cast<float>(arm) * std::numbers::pi_v<float> / 3.0f);
            d = Union(d, Segment(q, centre, {0.5f + 0.4f, 0.5f}, 0.022f));
            for (const auto& [at, length] : {std::pair{0.17f, 0.11f}, std::pair{0.29f, 0.08f}})
            {
                const Point root{0.5f + at, 0.5f};
                d = Union(
                    d, Segment(q, root, {root.x + length * 0.5f, 0.5f - length * 0.866f}, 0.016f));
                d = Union(
                    d, Segment(q, root, {root.x + length * 0.5f, 0.5f + length * 0.866f}, 0.016f));
            }
            d = Union(d, Circle(q, {0.5f + 0.4f, 0.5f}, 0.03f));
        }
        return d;
    };
    canvas.Fill(flake, white, 0.03f);
    // A hexagonal hole in the middle shows the soft alpha inside the flake too.
    canvas.Fill([=](Point p) { return Circle(p, centre, 0.03f); }, Hex(0xbcd8ff, 0.8f), 0.02f);
    return canvas;
}

} // namespace Halvex::Bake
