#include "meshbuilder.h"

namespace Halvex::Bake
{

uint32_t MeshBuilder::AddVertex(const Bin_Vertex& vertex)
{
    m_Material.vertices.push_back(vertex);
    return static_cast<uint32_t>(m_Material.vertices.size() - 1);
}

void MeshBuilder::AddTriangle(uint32_t a, uint32_t b, uint32_t c)
{
    const auto& vertices = m_Material.vertices;
    const Vector3f& pa = vertices[a].position;
    const Vector3f area = MATH::Cross(vertices[b].position - pa, vertices[c].position - pa);
    if (MATH::Dot(area, area) < 1e-14f)
    {
        return;
    }
    const Vector3f normal = vertices[a].normal + vertices[b].normal + vertices[c].normal;
    // In a right-handed frame a counter-clockwise triangle's cross product faces the viewer.
    if (MATH::Dot(area, normal) > 0.0f)
    {
        std::swap(b, c);
    }
    m_Material.indices.insert(m_Material.indices.end(), {a, b, c});
}

void MeshBuilder::AddQuad(uint32_t a, uint32_t b, uint32_t c, uint32_t d)
{
    AddTriangle(a, b, c);
    AddTriangle(c, d, a);
}

void MeshBuilder::AddGrid(int columns, int rows, const GridFunction& vertexAt)
{
    const uint32_t first = static_cast<uint32_t>(m_Material.vertices.size());
    for (int row = 0; row <= rows; ++row)
    {
        for (int column = 0; column <= columns; ++column)
        {
            AddVertex(vertexAt(static_cast<float>(column) / static_cast<float>(columns),
                               static_cast<float>(row) / static_cast<float>(rows)));
        }
    }
    const auto at = [&](int column, int row)
    { return first + static_cast<uint32_t>(row * (columns + 1) + column); };
    for (int row = 0; row < rows; ++row)
    {
        for (int column = 0; column < columns; ++column)
        {
            AddQuad(at(column, row), at(column + 1, row), at(column + 1, row + 1),
                    at(column, row + 1));
        }
    }
}

void MeshBuilder::AddPlaced(const Bin_Material& source, const Vector3f& scale,
                            const MATH::Matrix4& placement, uint32_t colour)
{
    const uint32_t first = static_cast<uint32_t>(m_Material.vertices.size());
    for (Bin_Vertex vertex : source.vertices)
    {
        const Vector3f& p = vertex.position;
        const Vector3f& n = vertex.normal;
        vertex.position =
            MATH::TransformCoord({p.x * scale.x, p.y * scale.y, p.z * scale.z}, placement);
        vertex.normal = MATH::Normalize(
            MATH::TransformNormal({n.x / scale.x, n.y / scale.y, n.z / scale.z}, placement));
        vertex.colour = colour;
        m_Material.vertices.push_back(vertex);
    }
    for (uint32_t index : source.indices)
    {
        m_Material.indices.push_back(first + index);
    }
}

} // namespace Halvex::Bake
