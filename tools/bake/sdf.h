#pragma once
// Signed distances to simple shapes (negative inside), for Canvas::Fill.

#include "canvas.h"

#include <algorithm>
#include <cmath>

namespace Halvex::Bake::Sdf
{

inline float Length(float x, float y)
{
    return std::sqrt(x * x + y * y);
}

inline float Circle(Point p, Point centre, float radius)
{
    return Length(p.x - centre.x, p.y - centre.y) - radius;
}

// Close to the true distance near the outline, which is all antialiasing needs.
inline float Ellipse(Point p, Point centre, float rx, float ry)
{
    const float x = p.x - centre.x;
    const float y = p.y - centre.y;
    const float k0 = Length(x / rx, y / ry);
    const float k1 = Length(x / (rx * rx), y / (ry * ry));
    return k1 > 0.0f ? k0 * (k0 - 1.0f) / k1 : -std::min(rx, ry);
}

// p seen in a frame turned by angle (radians, clockwise on screen) about centre.
inline Point Turn(Point p, Point centre, float angle)
{
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    const float x = p.x - centre.x;
    const float y = p.y - centre.y;
    return {centre.x + x * c + y * s, centre.y - x * s + y * c};
}

inline float Box(Point p, Point centre, float halfWidth, float halfHeight, float corner = 0.0f)
{
    const float qx = std::abs(p.x - centre.x) - halfWidth + corner;
    const float qy = std::abs(p.y - centre.y) - halfHeight + corner;
    return Length(std::max(qx, 0.0f), std::max(qy, 0.0f)) + std::min(std::max(qx, qy), 0.0f) -
           corner;
}

// A stroke of the given half thickness from a to b with round ends.
inline float Segment(Point p, Point a, Point b, float radius)
{
    const float px = p.x - a.x;
    const float py = p.y - a.y;
    const float bx = b.x - a.x;
    const float by = b.y - a.y;
    const float h = std::clamp((px * bx + py * by) / (bx * bx + by * by), 0.0f, 1.0f);
    return Length(px - bx * h, py - by * h) - radius;
}

inline float Triangle(Point p, Point a, Point b, Point c)
{
    const Point corners[3] = {a, b, c};
    float distance = 1e9f;
    float sign = 1.0f;
    bool inside = true;
    const float orientation = (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
    for (int i = 0; i < 3; ++i)
    {
        const Point from = corners[i];
        const Point to = corners[(i + 1) % 3];
        distance = std::min(distance, Segment(p, from, to, 0.0f));
        const float side = (to.x - from.x) * (p.y - from.y) - (to.y - from.y) * (p.x - from.x);
        inside = inside && side * orientation >= 0.0f;
    }
    if (inside)
    {
        sign = -1.0f;
    }
    return distance * sign;
}

inline float Union(float a, float b)
{
    return std::min(a, b);
}
inline float Subtract(float a, float b)
{
    return std::max(a, -b);
}
inline float Intersect(float a, float b)
{
    return std::max(a, b);
}

} // namespace Halvex::Bake::Sdf
