// Flat shading where GL takes each primitive's values from its last vertex and offers no
// choice (OpenGL ES, WebGL): the draw becomes a list whose primitives end with the vertex
// Direct3D takes them from, the first one, each triangle turned about its corners so that
// its winding stays.

#include "d3d9gl/device.h"

#include <vector>

namespace d3d9gl
{
namespace
{

// The vertices of the draw's vertex sequence that primitive i takes, Direct3D's first last.
UINT PrimitiveCorners(D3DPRIMITIVETYPE type, UINT i, UINT corners[3])
{
    switch (type)
    {
    case D3DPT_LINELIST:
        corners[0] = 2 * i + 1, corners[1] = 2 * i;
        return 2;
    case D3DPT_LINESTRIP:
        corners[0] = i + 1, corners[1] = i;
        return 2;
    case D3DPT_TRIANGLESTRIP:
        // Odd triangles of a strip run i + 1, i, i + 2.
        corners[0] = i + 1 + (i & 1u), corners[1] = i + 2 - (i & 1u), corners[2] = i;
        return 3;
    case D3DPT_TRIANGLEFAN:
        corners[0] = i + 2, corners[1] = 0, corners[2] = i + 1;
        return 3;
    default:
        corners[0] = 3 * i + 1, corners[1] = 3 * i + 2, corners[2] = 3 * i;
        return 3;
    }
}

} // namespace

bool Device::FlatNeedsFirstVertexLast(D3DPRIMITIVETYPE type) const
{
    return m_Profile.es && type != D3DPT_POINTLIST &&
           m_RenderStates[D3DRS_SHADEMODE] == D3DSHADE_FLAT;
}

void Device::DrawFirstVertexLast(D3DPRIMITIVETYPE type, UINT primitiveCount,
                                 const std::vector<uint32_t>& numbers, UINT instanceCount)
{
    std::vector<uint32_t> list;
    list.reserve(std::size_t(primitiveCount) * 3);
    for (UINT i = 0; i < primitiveCount; ++i)
    {
        UINT corners[3];
        const UINT count = PrimitiveCorners(type, i, corners);
        for (UINT corner = 0; corner < count; ++corner)
            list.push_back(numbers[corners[corner]]);
    }
    const bool lines = type == D3DPT_LINELIST || type == D3DPT_LINESTRIP;
    DrawIndexList(lines ? GL_LINES : GL_TRIANGLES, list, instanceCount);
}

} // namespace d3d9gl
