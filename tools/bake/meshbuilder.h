#pragma once
// Appends vertices and triangles to a material. Triangles are wound so that their front is
// the side the vertex normals point to, clockwise as seen from there: Direct3D's front faces,
// which the program keeps.

#include "binmodel.h"
#include "math/matrix4.h"

#include <functional>

namespace Halvex::Bake
{

class MeshBuilder
{
public:
    explicit MeshBuilder(Bin_Material& material) : m_Material(material) {}

    uint32_t AddVertex(const Bin_Vertex& vertex);

    // Degenerate triangles (no area) are dropped. The first index stays first, so flat
    // shading takes its colour.
    void AddTriangle(uint32_t a, uint32_t b, uint32_t c);

    // a, b, c, d around the quad; split into (a, b, c) and (c, d, a), whose first vertices
    // differ so flat shading shows both halves.
    void AddQuad(uint32_t a, uint32_t b, uint32_t c, uint32_t d);

    // A (columns + 1) x (rows + 1) vertex grid over s, t in [0, 1], made into quads.
    using GridFunction = std::function<Bin_Vertex(float s, float t)>;
    void AddGrid(int columns, int rows, const GridFunction& vertexAt);

    // Appends source's triangles scaled per axis (by positive factors), then rotated and moved
    // by placement (a rotation and a translation), every vertex in the given colour.
    void AddPlaced(const Bin_Material& source, const Vector3f& scale,
                   const MATH::Matrix4& placement, uint32_t colour);

private:
    Bin_Material& m_Material;
};

} // namespace Halvex::Bake
