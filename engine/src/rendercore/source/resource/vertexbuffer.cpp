#include "rendercore/source/resource/vertexbuffer.h"

#include "base/source/system/logger.h"
#include "rendercore/source/renderdevice/renderdevice.h"

namespace Halvex::RenderCore
{

VertexBuffer::VertexBuffer() : Resource(RES_TYPE_VERTEX_BUFFER) {}

VertexBuffer::~VertexBuffer()
{
    Unload();
}

bool VertexBuffer::Load(PrimitiveType primType, const void* pData, int vertexNum, int vertexSize,
                        TexturePool pool)
{
    if (IsLoaded())
    {
        HX_RAISE("!\"Vertex Buffer has been Loaded\"");
        return false;
    }
    if (vertexNum < 1 || vertexSize < 1 || primType < PT_POINT_LIST || primType >= PT_MAX)
    {
        HX_RAISE("!\"Param Error\"");
        return false;
    }
    RenderDevice* pDevice = GetRenderDevice();
    if (!HX_ASSERT(pDevice))
    {
        return false;
    }
    // A buffer that was made but could not be filled stays loaded, so Unload releases it,
    // and the failure is still reported.
    const bool filled = pDevice->LoadVertexBuffer(this, pData, vertexNum, vertexSize, pool);
    if (IsLoaded())
    {
        m_PrimitiveType = primType;
        m_VertexNum = vertexNum;
        m_VertexSize = vertexSize;
        SetPool(pool);
    }
    return filled && IsLoaded();
}

void VertexBuffer::Unload()
{
    if (!IsLoaded())
    {
        return;
    }
    if (m_Locked)
    {
        HX_RAISE("!\"Must be unlock\"");
        return;
    }
    if (RenderDevice* pDevice = GetRenderDevice())
    {
        pDevice->UnloadVertexBuffer(this);
    }
    m_PrimitiveType = PT_TRIANGLE_LIST;
    m_VertexNum = 0;
    m_VertexSize = 0;
    SetPool(POOL_DEFAULT);
    SetUserData(nullptr);
}

bool VertexBuffer::Lock(void** ppData, int offset, int size, LockFlag lockFlag)
{
    if (!IsLoaded() || m_Locked)
    {
        HX_RAISE("!\"Vertex Buffer must be Loaded and unlocked\"");
        return false;
    }
    RenderDevice* pDevice = GetRenderDevice();
    if (!HX_ASSERT(pDevice))
    {
        return false;
    }
    m_Locked = pDevice->LockVertexBuffer(this, ppData, offset, size, lockFlag);
    return m_Locked;
}

void VertexBuffer::Unlock()
{
    if (!IsLoaded() || !m_Locked)
    {
        HX_RAISE("!\"Vertex Buffer must be Loaded and locked\"");
        return;
    }
    if (RenderDevice* pDevice = GetRenderDevice())
    {
        pDevice->UnlockVertexBuffer(this);
    }
    m_Locked = false;
}

uint64_t VertexBuffer::GetSize() const
{
    return static_cast<uint64_t>(m_VertexNum) * static_cast<uint64_t>(m_VertexSize);
}

} // namespace Halvex::RenderCore
