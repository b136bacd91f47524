#pragma once
// Vertex declarations and the GL attribute each element feeds. Attribute locations follow
// the usage: POSITION 0, BLENDWEIGHT 1, BLENDINDICES 2, NORMAL 3, PSIZE 4, COLOR0-1 5-6,
// TANGENT 7, BINORMAL 8, TEXCOORD0-6 9-15 (GL guarantees no more than 16 attributes).

#include "d3d9gl/d3d9.h"
#include "d3d9gl/refcounted.h"

#include "d3d9gl/glapi.h"

#include <vector>

namespace d3d9gl
{

struct VertexAttribute_t
{
    UINT stream;
    UINT offset;
    GLuint location;
    GLint size; // components, or GL_BGRA for D3DCOLOR
    GLenum type;
    GLboolean normalized;
};

// The attribute location of a usage, or -1 when shaders cannot read it.
int AttributeLocation(BYTE usage, BYTE usageIndex);

// The GL layout of an element type; false for D3DDECLTYPE_UNUSED or an unknown type.
bool AttributeFormat(BYTE type, GLint& size, GLenum& glType, GLboolean& normalized);

class VertexDeclaration final : public RefCounted<IDirect3DVertexDeclaration9>
{
public:
    // Elements up to and including the end marker.
    explicit VertexDeclaration(std::vector<D3DVERTEXELEMENT9> elements);

    HRESULT GetDeclaration(D3DVERTEXELEMENT9* pElement, UINT* pNumElements) override;
    const std::vector<VertexAttribute_t>& Attributes() const { return m_Attributes; }

private:
    std::vector<D3DVERTEXELEMENT9> m_Elements;
    std::vector<VertexAttribute_t> m_Attributes;
};

} // namespace d3d9gl
