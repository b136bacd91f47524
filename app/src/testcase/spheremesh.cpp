#include "testcase/spheremesh.h"

#include "testcase/testcases.h"

#include "common/camera/angle.h"

#include <cmath>

namespace
{
constexpr float SLICES = static_cast<float>(SPHERE_SLICES);
constexpr float CAP_Y = 0.96f;
constexpr float CAP_V = 0.02f;

// The point of slice s at height y on the unit sphere.
SphereVertex_t RingPoint(int s, float y, float u, float v)
{
    const float theta = 2.0f * ANGLE_PI * static_cast<float>(s) / SLICES;
    const float r = std::sqrt(1.0f - y * y);
    const float x = std::sin(theta) * r;
    const float z = std::cos(theta) * r;
    return {{x, y, z}, {x, y, z}, {u, v}};
}

// One triangle per slice from the pole to the ring at `ringY`.
void AppendCap(std::vector<SphereVertex_t>& vertices, float poleY, float poleV, float ringY,
               float ringV)
{
    for (int s = 0; s < SPHERE_SLICES; ++s)
    {
        const float u = static_cast<float>(s) / SLICES;
        vertices.push_back({{0.0f, poleY, 0.0f}, {0.0f, poleY, 0.0f}, {u + 0.5f / SLICES, poleV}});
        vertices.push_back(RingPoint(s, ringY, u, ringV));
        vertices.push_back(RingPoint(s + 1, ringY, static_cast<float>(s + 1) / SLICES, ringV));
    }
}
} // namespace

std::vector<SphereVertex_t> BuildSphere()
{
    std::vector<SphereVertex_t> vertices;
    vertices.reserve(SPHERE_VERTICES);
    AppendCap(vertices, 1.0f, 0.0f, CAP_Y, CAP_V);
    for (int b = 1; b <= 48; ++b)
    {
        for (int s = 0; s < SPHERE_SLICES; ++s)
        {
            for (const auto& corner : CELL_CORNERS)
            {
                const int a = s + corner[0];
                const float c = static_cast<float>(b + corner[1]);
                const float y = 2.0f * c / SLICES - 1.0f;
                vertices.push_back(
                    RingPoint(a, y, static_cast<float>(a) / SLICES, 1.0f - c / SLICES));
            }
        }
    }
    AppendCap(vertices, -1.0f, 1.0f, -CAP_Y, 1.0f - CAP_V);
    return vertices;
}
