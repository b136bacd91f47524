#include "d3d9gl/vertexdeclaration.h"

#include <algorithm>

namespace d3d9gl
{

int AttributeLocation(BYTE usage, BYTE usageIndex)
{
    switch (usage)
    {
    case D3DDECLUSAGE_POSITION:
        return usageIndex == 0 ? 0 : -1;
    case D3DDECLUSAGE_BLENDWEIGHT:
        return usageIndex == 0 ? 1 : -1;
    case D3DDECLUSAGE_BLENDINDICES:
        return usageIndex == 0 ? 2 : -1;
    case D3DDECLUSAGE_NORMAL:
        return usageIndex == 0 ? 3 : -1;
    case D3DDECLUSAGE_PSIZE:
        return usageIndex == 0 ? 4 : -1;
    case D3DDECLUSAGE_COLOR:
        return usageIndex < 2 ? 5 + usageIndex : -1;
    case D3DDECLUSAGE_TANGENT:
        return usageIndex == 0 ? 7 : -1;
    case D3DDECLUSAGE_BINORMAL:
        return usageIndex == 0 ? 8 : -1;
    case D3DDECLUSAGE_TEXCOORD:
        // GL guarantees 16 attributes (0-15): TEXCOORD0-6 fit, TEXCOORD7 has no location.
        return usageIndex < 7 ? 9 + usageIndex : -1;
    default:
        return -1;
    }
}

bool AttributeFormat(BYTE type, GLint& size, GLenum& glType, GLboolean& normalized)
{
    normalized = GL_FALSE;
    switch (type)
    {
    case D3DDECLTYPE_FLOAT1:
    case D3DDECLTYPE_FLOAT2:
    case D3DDECLTYPE_FLOAT3:
    case D3DDECLTYPE_FLOAT4:
        size = GLint(type - D3DDECLTYPE_FLOAT1 + 1);
        glType = GL_FLOAT;
        return true;
    case D3DDECLTYPE_D3DCOLOR:
        // Bytes B, G, R, A in memory; GL_BGRA swizzles them into r, g, b, a.
        size = GL_BGRA;
        glType = GL_UNSIGNED_BYTE;
        normalized = GL_TRUE;
        return true;
    case D3DDECLTYPE_UBYTE4:
    case D3DDECLTYPE_UBYTE4N:
        size = 4;
        glType = GL_UNSIGNED_BYTE;
        normalized = type == D3DDECLTYPE_UBYTE4N;
        return true;
    case D3DDECLTYPE_SHORT2:
    case D3DDECLTYPE_SHORT2N:
        size = 2;
        glType = GL_SHORT;
        normalized = type == D3DDECLTYPE_SHORT2N;
        return true;
    case D3DDECLTYPE_SHORT4:
    case D3DDECLTYPE_SHORT4N:
        size = 4;
        glType = GL_SHORT;
        normalized = type == D3DDECLTYPE_SHORT4N;
        return true;
    case D3DDECLTYPE_USHORT2N:
    case D3DDECLTYPE_USHORT4N:
        size = type == D3DDECLTYPE_USHORT2N ? 2 : 4;
        glType = GL_UNSIGNED_SHORT;
        normalized = GL_TRUE;
        return true;
    case D3DDECLTYPE_FLOAT16_2:
    case D3DDECLTYPE_FLOAT16_4:
        size = type == D3DDECLTYPE_FLOAT16_2 ? 2 : 4;
        glType = GL_HALF_FLOAT;
        return true;
    default:
        // UDEC3 and DEC3N have no GL vertex format with three 10-bit fields and no fourth.
        return false;
    }
}

VertexDeclaration::VertexDeclaration(std::vector<D3DVERTEXELEMENT9> elements)
    : m_Elements(std::move(elements))
{
    for (const D3DVERTEXELEMENT9& element : m_Elements)
    {
        if (element.Stream == 0xFF)
            break;
        VertexAttribute_t attribute = {};
        int location = AttributeLocation(element.Usage, element.UsageIndex);
        if (location < 0 ||
            !AttributeFormat(element.Type, attribute.size, attribute.type, attribute.normalized))
            continue;
        attribute.stream = element.Stream;
        attribute.offset = element.Offset;
        attribute.location = GLuint(location);
        m_Attributes.push_back(attribute);
    }
}

HRESULT VertexDeclaration::GetDeclaration(D3DVERTEXELEMENT9* pElement, UINT* pNumElements)
{
    if (!pNumElements)
        return D3DERR_INVALIDCALL;
    *pNumElements = UINT(m_Elements.size());
    if (pElement)
        std::copy(m_Elements.begin(), m_Elements.end(), pElement);
    return D3D_OK;
}

} // namespace d3d9gl
