#include "rendercore/source/resource/indexbuffer.h"

#include "base/source/system/logger.h"
#include "rendercore/source/renderdevice/renderdevice.h"

namespace Halvex::RenderCore
{

IndexBuffer::IndexBuffer() : Resource(RES_TYPE_INDEX_BUFFER) {}

IndexBuffer::~IndexBuffer()
{
    Unload();
}

bool IndexBuffer::Load(const void* pData, int indexNum, int indexSize, TexturePool pool)
{
    if (IsLoaded())
    {
        HX_RAISE("!\"Index Buffer has been Loaded\"");
        return false;
    }
    if (indexNum <= 0 || (indexSize != 2 && indexSize != 4))
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
    const bool filled = pDevice->LoadIndexBuffer(this, pData, indexNum, indexSize, pool);
    if (IsLoaded())
    {
        m_IndexNum = indexNum;
        m_IndexSize = indexSize;
        SetPool(pool);
    }
    return filled && IsLoaded();
}

void IndexBuffer::Unload()
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
        pDevice->UnloadIndexBuffer(this);
    }
    m_IndexNum = 0;
    m_IndexSize = 0;
    SetPool(POOL_DEFAULT);
    SetUserData(nullptr);
}

bool IndexBuffer::Lock(void** ppData, int offset, int size, LockFlag lockFlag)
{
    if (!IsLoaded() || m_Locked)
    {
        HX_RAISE("!\"Index Buffer must be Loaded and unlocked\"");
        return false;
    }
    RenderDevice* pDevice = GetRenderDevice();
    if (!HX_ASSERT(pDevice))
    {
        return false;
    }
    m_Locked = pDevice->LockIndexBuffer(this, ppData, offset, size, lockFlag);
    return m_Locked;
}

void IndexBuffer::Unlock()
{
    if (!IsLoaded() || !m_Locked)
    {
        HX_RAISE("!\"Index Buffer must be Loaded and locked\"");
        return;
    }
    if (RenderDevice* pDevice = GetRenderDevice())
    {
        pDevice->UnlockIndexBuffer(this);
    }
    m_Locked = false;
}

uint64_t IndexBuffer::GetSize() const
{
    return static_cast<uint64_t>(m_IndexNum) * static_cast<uint64_t>(m_IndexSize);
}

} // namespace Halvex::RenderCore
