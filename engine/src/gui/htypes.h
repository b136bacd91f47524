#pragma once
// Points, rectangles and colours of the GUI toolkit.

#include <algorithm>
#include <cstdint>

namespace Halvex::HGui
{

struct HVec2F
{
    float x = 0.0f;
    float y = 0.0f;

    HVec2F() = default;
    HVec2F(float px, float py) : x(px), y(py) {}

    HVec2F operator+(const HVec2F& o) const { return {x + o.x, y + o.y}; }
    HVec2F operator-(const HVec2F& o) const { return {x - o.x, y - o.y}; }
    HVec2F operator*(float s) const { return {x * s, y * s}; }
    HVec2F& operator+=(const HVec2F& o)
    {
        x += o.x;
        y += o.y;
        return *this;
    }
    bool operator==(const HVec2F& o) const { return x == o.x && y == o.y; }
};

struct HRectF
{
    float x = 0.0f;
    float y = 0.0f;
    float width = 0.0f;
    float height = 0.0f;

    HRectF() = default;
    HRectF(float px, float py, float w, float h) : x(px), y(py), width(w), height(h) {}

    float Right() const { return x + width; }
    float Bottom() const { return y + height; }
    HVec2F GetPos() const { return {x, y}; }
    HVec2F GetSize() const { return {width, height}; }
    bool IsValid() const { return width > 0.0f && height > 0.0f; }
    // All four edges are outside: a point on the left or top edge does not hit.
    bool Contains(const HVec2F& p) const
    {
        return x < p.x && p.x < Right() && y < p.y && p.y < Bottom();
    }
    // Smallest rectangle holding both (left/top minimum, right/bottom maximum).
    HRectF United(const HRectF& o) const
    {
        float left = std::min(x, o.x);
        float top = std::min(y, o.y);
        return {left, top, std::max(Right(), o.Right()) - left,
                std::max(Bottom(), o.Bottom()) - top};
    }
    bool operator==(const HRectF& o) const
    {
        return x == o.x && y == o.y && width == o.width && height == o.height;
    }

    // Cuts `r` to `limit` the way widgets and label text are clipped: the position moves
    // in when it lies before the limit, and the size never becomes negative.
    static HRectF ClipTo(HRectF r, const HRectF& limit)
    {
        float dx = limit.x - r.x;
        float dy = limit.y - r.y;
        if (dx > 0.0f)
        {
            r.x = limit.x;
            r.width -= dx;
        }
        if (dy > 0.0f)
        {
            r.y = limit.y;
            r.height -= dy;
        }
        r.width = std::clamp(r.width, 0.0f, std::max(limit.Right() - r.x, 0.0f));
        r.height = std::clamp(r.height, 0.0f, std::max(limit.Bottom() - r.y, 0.0f));
        return r;
    }
};

struct HMargins
{
    float left = 0.0f;
    float top = 0.0f;
    float right = 0.0f;
    float bottom = 0.0f;
};

// Components 0..255; packs as 0xAARRGGBB. The all-zero colour means: draw nothing.
struct HColor
{
    uint32_t r = 255;
    uint32_t g = 255;
    uint32_t b = 255;
    uint32_t a = 255;

    HColor() = default;
    HColor(uint32_t pr, uint32_t pg, uint32_t pb, uint32_t pa) : r(pr), g(pg), b(pb), a(pa) {}
    explicit HColor(uint32_t packed)
        : r((packed >> 16) & 0xFF), g((packed >> 8) & 0xFF), b(packed & 0xFF),
          a((packed >> 24) & 0xFF)
    {
    }

    uint32_t GetPacked() const
    {
        return ((a & 0xFF) << 24) | ((r & 0xFF) << 16) | ((g & 0xFF) << 8) | (b & 0xFF);
    }
    bool IsZero() const { return r == 0 && g == 0 && b == 0 && a == 0; }
    bool operator==(const HColor& o) const { return r == o.r && g == o.g && b == o.b && a == o.a; }
};

// Alignment codes: low nibble horizontal, next nibble vertical.
enum HAlignment : unsigned
{
    ALIGN_LEFT = 0x01,
    ALIGN_RIGHT = 0x02,
    ALIGN_HCENTER = 0x03,
    ALIGN_HMASK = 0x0F,
    ALIGN_TOP = 0x10,
    ALIGN_BOTTOM = 0x20,
    ALIGN_VCENTER = 0x30,
    ALIGN_VMASK = 0xF0,
};

// Places `inner` inside a box of `outerSize` by the alignment code (offsets are added).
inline void AlignInside(HRectF& inner, const HVec2F& outerSize, unsigned alignment)
{
    switch (alignment & ALIGN_HMASK)
    {
    case ALIGN_RIGHT:
        inner.x += outerSize.x - inner.width;
        break;
    case ALIGN_HCENTER:
        inner.x += (outerSize.x - inner.width) / 2.0f;
        break;
    default:
        break;
    }
    switch (alignment & ALIGN_VMASK)
    {
    case ALIGN_BOTTOM:
        inner.y += outerSize.y - inner.height;
        break;
    case ALIGN_VCENTER:
        inner.y += (outerSize.y - inner.height) / 2.0f;
        break;
    default:
        break;
    }
}

} // namespace Halvex::HGui
