// Fill modes where GL has no polygon modes (OpenGL ES, WebGL without WEBGL_polygon_mode):
// a wireframe triangle draw becomes its edges as a line list, a point-filled one its corners
// as a point list, both indexed into the draw's own vertices.

#include "d3d9gl/buffer.h"
#include "d3d9gl/device.h"

#include <cstring>
#include <vector>

namespace d3d9gl
{
namespace
{

// The three corners of triangle i, as positions in the draw's vertex sequence, in GL's order
// (a strip's odd triangles start at their second vertex), so each edge runs the way the
// rasteriser's polygon mode draws it.
void TriangleCorners(D3DPRIMITIVETYPE type, UINT i, UINT corners[3])
{
    const UINT odd = i & 1u;
    if (type == D3DPT_TRIANGLESTRIP)
        corners[0] = i + odd, corners[1] = i + 1 - odd, corners[2] = i + 2;
    else if (type == D3DPT_TRIANGLEFAN)
        corners[0] = 0, corners[1] = i + 1, corners[2] = i + 2;
    else
        corners[0] = 3 * i, corners[1] = 3 * i + 1, corners[2] = 3 * i + 2;
}

} // namespace

bool VertexNumbers(const IndexBuffer* pIndices, UINT start, UINT count,
                   std::vector<uint32_t>& numbers)
{
    numbers.resize(count);
    if (!pIndices)
    {
        for (UINT i = 0; i < count; ++i)
            numbers[i] = start + i;
        return true;
    }
    const std::vector<uint8_t>& data = pIndices->Data();
    const std::size_t width = pIndices->Format() == D3DFMT_INDEX32 ? 4 : 2;
    if ((uint64_t(start) + count) * width > data.size())
        return false;
    for (UINT i = 0; i < count; ++i)
    {
        const uint8_t* pEntry = data.data() + (std::size_t(start) + i) * width;
        uint16_t narrow = 0;
        if (width == 4)
            std::memcpy(&numbers[i], pEntry, 4);
        else
            std::memcpy(&narrow, pEntry, 2), numbers[i] = narrow;
    }
    return true;
}

bool Device::NeedsOutline() const
{
    const DWORD fill = m_RenderStates[D3DRS_FILLMODE];
    return (fill == D3DFILL_WIREFRAME && !m_Profile.polygonMode) ||
           (fill == D3DFILL_POINT && !(m_Profile.polygonMode && m_Profile.pointFill));
}

void Device::DrawOutline(D3DPRIMITIVETYPE type, UINT primitiveCount,
                         const std::vector<uint32_t>& numbers, UINT instanceCount)
{
    const bool points = m_RenderStates[D3DRS_FILLMODE] == D3DFILL_POINT;
    std::vector<uint32_t> list;
    list.reserve(std::size_t(primitiveCount) * (points ? 3 : 6));
    for (UINT i = 0; i < primitiveCount; ++i)
    {
        UINT corners[3];
        TriangleCorners(type, i, corners);
        const uint32_t a = numbers[corners[0]], b = numbers[corners[1]], c = numbers[corners[2]];
        if (points)
            list.insert(list.end(), {a, b, c});
        else
            list.insert(list.end(), {a, b, b, c, c, a});
    }
    DrawIndexList(points ? GL_POINTS : GL_LINES, list, instanceCount);
}

void Device::DrawIndexList(GLenum mode, const std::vector<uint32_t>& list, UINT instanceCount)
{
    const std::size_t bytes = list.size() * sizeof(uint32_t);
    const std::size_t offset = m_IndexRing.Append(m_Gl, list.data(), bytes, 4);
    CountUpload(bytes);
    glDrawElementsInstanced(mode, GLsizei(list.size()), GL_UNSIGNED_INT,
                            reinterpret_cast<const void*>(uintptr_t(offset)),
                            GLsizei(instanceCount));
}

} // namespace d3d9gl
