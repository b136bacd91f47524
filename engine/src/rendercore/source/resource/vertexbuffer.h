#pragma once
// Vertices in a native buffer. The primitive type travels with the buffer: draws take it
// from here.

#include "rendercore/source/resource/resource.h"

namespace Halvex::RenderCore
{

class VertexBuffer : public Resource
{
public:
    VertexBuffer();
    // Unloads first: a buffer destroyed while locked reports it and keeps its native object.
    ~VertexBuffer() override;

    // pData may be null: the buffer is created but not filled. POOL_DEFAULT makes a dynamic
    // buffer, any other pool a managed one.
    bool Load(PrimitiveType primType, const void* pData, int vertexNum, int vertexSize,
              TexturePool pool);
    void Unload();
    // Offset 0 and size 0 lock the whole buffer.
    bool Lock(void** ppData, int offset, int size, LockFlag lockFlag);
    void Unlock();

    PrimitiveType GetPrimitiveType() const { return m_PrimitiveType; }
    void SetPrimitiveType(PrimitiveType primType) { m_PrimitiveType = primType; }
    int GetVertexNum() const { return m_VertexNum; }
    int GetVertexSize() const { return m_VertexSize; }
    bool IsLocked() const { return m_Locked; }

    uint64_t GetSize() const override;
    bool IsLoaded() const override { return GetUserData() != nullptr; }

private:
    PrimitiveType m_PrimitiveType = PT_TRIANGLE_LIST;
    int m_VertexNum = 0;
    int m_VertexSize = 0;
    bool m_Locked = false;
};

} // namespace Halvex::RenderCore
