#pragma once
// An RGBA float picture that the texture painters draw on, with straight (not premultiplied)
// alpha. Shapes are signed distance functions (negative inside) in canvas units, where the
// canvas is 1 unit wide and Height() / Width() units tall, y down; edges are antialiased
// over one pixel.

#include <functional>
#include <vector>

namespace Halvex::Bake
{

struct Rgba
{
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
    float a = 1.0f;
};

// 0xRRGGBB with the given alpha.
Rgba Hex(unsigned rgb, float alpha = 1.0f);
Rgba Mix(const Rgba& from, const Rgba& to, float t);
// src with its alpha scaled by coverage, composited over dst.
Rgba Over(const Rgba& dst, const Rgba& src, float coverage);

struct Point
{
    float x = 0.0f;
    float y = 0.0f;
};

class Canvas
{
public:
    using Shape = std::function<float(Point)>;
    using Paint = std::function<Rgba(Point)>;

    Canvas(int width, int height, const Rgba& fill);
    // A canvas holding the given texels, 4 floats each, row 0 first.
    static Canvas FromTexels(int width, int height, std::vector<float> texels);

    int Width() const { return m_Width; }
    int Height() const { return m_Height; }
    float Aspect() const { return static_cast<float>(m_Height) / static_cast<float>(m_Width); }

    Rgba Get(int x, int y) const;
    void Set(int x, int y, const Rgba& colour);

    // Composites paint over the pixels the shape covers. feather (canvas units) widens the
    // edge's ramp beyond one pixel for soft edges.
    void Fill(const Shape& shape, const Paint& paint, float feather = 0.0f);
    void Fill(const Shape& shape, const Rgba& colour, float feather = 0.0f);

    // Replaces every pixel with paint at its centre.
    void Shade(const Paint& paint);

    // Composites other's pixels over this canvas with its top-left corner at (x, y) pixels.
    void Draw(const Canvas& other, int x, int y);

    // 4 floats per texel, row 0 first: the layout the image code encodes from.
    const std::vector<float>& Texels() const { return m_Texels; }

private:
    int m_Width;
    int m_Height;
    std::vector<float> m_Texels;
};

} // namespace Halvex::Bake
