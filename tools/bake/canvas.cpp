#include "canvas.h"

#include <algorithm>

namespace Halvex::Bake
{

Rgba Hex(unsigned rgb, float alpha)
{
    return {static_cast<float>((rgb >> 16) & 0xff) / 255.0f,
            static_cast<float>((rgb >> 8) & 0xff) / 255.0f, static_cast<float>(rgb & 0xff) / 255.0f,
            alpha};
}

Rgba Mix(const Rgba& from, const Rgba& to, float t)
{
    return {from.r + (to.r - from.r) * t, from.g + (to.g - from.g) * t,
            from.b + (to.b - from.b) * t, from.a + (to.a - from.a) * t};
}

Rgba Over(const Rgba& dst, const Rgba& src, float coverage)
{
    const float srcAlpha = std::clamp(src.a * coverage, 0.0f, 1.0f);
    const float dstAlpha = dst.a * (1.0f - srcAlpha);
    const float alpha = srcAlpha + dstAlpha;
    if (alpha <= 0.0f)
    {
        return {src.r, src.g, src.b, 0.0f};
    }
    return {(src.r * srcAlpha + dst.r * dstAlpha) / alpha,
            (src.g * srcAlpha + dst.g * dstAlpha) / alpha,
            (src.b * srcAlpha + dst.b * dstAlpha) / alpha, alpha};
}

Canvas::Canvas(int width, int height, const Rgba& fill)
    : m_Width(width), m_Height(height),
      m_Texels(static_cast<size_t>(width) * static_cast<size_t>(height) * 4)
{
    for (size_t i = 0; i < m_Texels.size(); i += 4)
    {
        m_Texels[i] = fill.r;
        m_Texels[i + 1] = fill.g;
        m_Texels[i + 2] = fill.b;
        m_Texels[i + 3] = fill.a;
    }
}

Canvas Canvas::FromTexels(int width, int height, std::vector<float> texels)
{
    Canvas canvas(width, height, Rgba{});
    texels.resize(canvas.m_Texels.size());
    canvas.m_Texels = std::move(texels);
    return canvas;
}

Rgba Canvas::Get(int x, int y) const
{
    const float* p =
        &m_Texels[(static_cast<size_t>(y) * static_cast<size_t>(m_Width) + static_cast<size_t>(x)) *
                  4];
    return {p[0], p[1], p[2], p[3]};
}

void Canvas::Set(int x, int y, const Rgba& colour)
{
    float* p =
        &m_Texels[(static_cast<size_t>(y) * static_cast<size_t>(m_Width) + static_cast<size_t>(x)) *
                  4];
    p[0] = colour.r;
    p[1] = colour.g;
    p[2] = colour.b;
    p[3] = colour.a;
}

void Canvas::Fill(const Shape& shape, const Paint& paint, float feather)
{
    const float unit = static_cast<float>(m_Width);
    const float ramp = std::max(1.0f / unit, feather);
    const auto centreOf = [unit](int pixel) { return (static_cast<float>(pixel) + 0.5f) / unit; };
    // Blocks whose centre lies well outside the shape are skipped without visiting their
    // pixels: a distance is never smaller than the distance to the block's nearest pixel.
    constexpr int BLOCK = 8;
    const float reach = static_cast<float>(BLOCK) / unit + ramp;
    for (int top = 0; top < m_Height; top += BLOCK)
    {
        for (int left = 0; left < m_Width; left += BLOCK)
        {
            const int right = std::min(left + BLOCK, m_Width);
            const int bottom = std::min(top + BLOCK, m_Height);
            const Point middle{static_cast<float>(left + right) * 0.5f / unit,
                               static_cast<float>(top + bottom) * 0.5f / unit};
            if (shape(middle) > reach)
            {
                continue;
            }
            for (int y = top; y < bottom; ++y)
            {
                for (int x = left; x < right; ++x)
                {
                    const Point p{centreOf(x), centreOf(y)};
                    const float coverage = std::clamp(0.5f - shape(p) / ramp, 0.0f, 1.0f);
                    if (coverage > 0.0f)
                    {
                        Set(x, y, Over(Get(x, y), paint(p), coverage));
                    }
                }
            }
        }
    }
}

void Canvas::Fill(const Shape& shape, const Rgba& colour, float feather)
{
    Fill(
        shape, [&](Point) { return colour; }, feather);
}

void Canvas::Shade(const Paint& paint)
{
    const float unit = static_cast<float>(m_Width);
    for (int y = 0; y < m_Height; ++y)
    {
        for (int x = 0; x < m_Width; ++x)
        {
            Set(x, y,
                paint({(static_cast<float>(x) + 0.5f) / unit,
                       (static_cast<float>(y) + 0.5f) / unit}));
        }
    }
}

void Canvas::Draw(const Canvas& other, int x, int y)
{
    for (int row = 0; row < other.Height(); ++row)
    {
        for (int column = 0; column < other.Width(); ++column)
        {
            const int tx = x + column;
            const int ty = y + row;
            if (tx >= 0 && ty >= 0 && tx < m_Width && ty < m_Height)
            {
                Set(tx, ty, Over(Get(tx, ty), other.Get(column, row), 1.0f));
            }
        }
    }
}

} // namespace Halvex::Bake
