#include "primitives.h"

#include "meshbuilder.h"

#include <cmath>
#include <numbers>

namespace Halvex::Bake
{
namespace
{

struct FaceFrame
{
    Vector3f normal;
    Vector3f right; // image left to right, seen from outside
    Vector3f up;    // image bottom to top
};

// Side faces keep +y up; the top face's image top points to -z, the bottom face's to +z.
constexpr std::array<FaceFrame, 6> CUBE_FACES = {{
    {{1, 0, 0}, {0, 0, -1}, {0, 1, 0}},
    {{-1, 0, 0}, {0, 0, 1}, {0, 1, 0}},
    {{0, 1, 0}, {1, 0, 0}, {0, 0, -1}},
    {{0, -1, 0}, {1, 0, 0}, {0, 0, 1}},
    {{0, 0, 1}, {1, 0, 0}, {0, 1, 0}},
    {{0, 0, -1}, {-1, 0, 0}, {0, 1, 0}},
}};

} // namespace

void AddPlane(Bin_Material& material)
{
    MeshBuilder builder(material);
    builder.AddGrid(1, 1,
                    [](float s, float t)
                    {
                        Bin_Vertex vertex;
                        vertex.position = {2.0f * s - 1.0f, 0.0f, 1.0f - 2.0f * t};
                        vertex.normal = {0, 1, 0};
                        vertex.u = s;
                        vertex.v = t;
                        return vertex;
                    });
}

void AddCube(Bin_Material& material, int n, const std::array<FaceColours, 6>* pFaceColours)
{
    MeshBuilder builder(material);
    for (size_t face = 0; face < CUBE_FACES.size(); ++face)
    {
        const FaceFrame& frame = CUBE_FACES[face];
        builder.AddGrid(n, n,
                        [&](float s, float t)
                        {
                            Bin_Vertex vertex;
                            vertex.position = frame.normal + frame.right * (2.0f * s - 1.0f) +
                                              frame.up * (1.0f - 2.0f * t);
                            vertex.normal = frame.normal;
                            vertex.u = s;
                            vertex.v = t;
                            if (pFaceColours)
                            {
                                // Corners in grid order: top-left, top-right, bottom-right,
                                // bottom-left.
                                const FaceColours& corners = (*pFaceColours)[face];
                                const int corner =
                                    t < 0.5f ? (s < 0.5f ? 0 : 1) : (s < 0.5f ? 3 : 2);
                                vertex.colour = corners[static_cast<size_t>(corner)];
                            }
                            return vertex;
                        });
    }
}

void AddSphere(Bin_Material& material, float radius, int slices, int stacks, uint32_t colour)
{
    MeshBuilder builder(material);
    builder.AddGrid(slices, stacks,
                    [&](float s, float t)
                    {
                        const double polar = std::numbers::pi * static_cast<double>(t);
                        const double azimuth = 2.0 * std::numbers::pi * static_cast<double>(s);
                        const double ring = std::sin(polar);
                        // s = 0.5 faces +z; u grows to the right as seen from outside.
                        const Vector3f normal(static_cast<float>(-ring * std::sin(azimuth)),
                                              static_cast<float>(std::cos(polar)),
                                              static_cast<float>(-ring * std::cos(azimuth)));
                        Bin_Vertex vertex;
                        vertex.position = normal * radius;
                        vertex.normal = normal;
                        vertex.colour = colour;
                        vertex.u = s;
                        vertex.v = t;
                        return vertex;
                    });
}

} // namespace Halvex::Bake
