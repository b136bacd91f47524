#pragma once
// A drawable range of buffers (the argument of DrawMesh and DrawMeshInstanced). The
// buffers are borrowed.

namespace Halvex::RenderCore
{

class VertexBuffer;
class IndexBuffer;

inline constexpr int MESH_VERTEX_BUFFER_MAX = 4;

class Mesh
{
public:
    // Null outside 0..MESH_VERTEX_BUFFER_MAX-1.
    VertexBuffer* GetVertexBuffer(int index) const
    {
        return index >= 0 && index < MESH_VERTEX_BUFFER_MAX ? m_pVertexBuffers[index] : nullptr;
    }
    void SetVertexBuffer(int index, VertexBuffer* pVertexBuf)
    {
        if (index >= 0 && index < MESH_VERTEX_BUFFER_MAX)
        {
            m_pVertexBuffers[index] = pVertexBuf;
        }
    }
    IndexBuffer* GetIndexBuffer() const { return m_pIndexBuffer; }
    void SetIndexBuffer(IndexBuffer* pIndexBuf) { m_pIndexBuffer = pIndexBuf; }

    int GetIndexBase() const { return m_IndexBase; }
    int GetIndexNum() const { return m_IndexNum; }
    void SetIndexRange(int base, int num)
    {
        m_IndexBase = base;
        m_IndexNum = num;
    }
    int GetVertexBase() const { return m_VertexBase; }
    int GetVertexNum() const { return m_VertexNum; }
    void SetVertexRange(int base, int num)
    {
        m_VertexBase = base;
        m_VertexNum = num;
    }

private:
    VertexBuffer* m_pVertexBuffers[MESH_VERTEX_BUFFER_MAX] = {};
    IndexBuffer* m_pIndexBuffer = nullptr;
    int m_IndexBase = 0;
    int m_IndexNum = 0;
    int m_VertexBase = 0;
    int m_VertexNum = 0;
};

} // namespace Halvex::RenderCore
