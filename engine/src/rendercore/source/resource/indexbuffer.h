#pragma once
// 16- or 32-bit indices in a native buffer.

#include "rendercore/source/resource/resource.h"

namespace Halvex::RenderCore
{

class IndexBuffer : public Resource
{
public:
    IndexBuffer();
    // Unloads first: a buffer destroyed while locked reports it and keeps its native object.
    ~IndexBuffer() override;

    // indexSize is 2 or 4 bytes; pData may be null.
    bool Load(const void* pData, int indexNum, int indexSize, TexturePool pool);
    void Unload();
    // Offset 0 and size 0 lock the whole buffer.
    bool Lock(void** ppData, int offset, int size, LockFlag lockFlag);
    void Unlock();

    int GetIndexNum() const { return m_IndexNum; }
    int GetIndexSize() const { return m_IndexSize; }
    bool IsLocked() const { return m_Locked; }

    uint64_t GetSize() const override;
    bool IsLoaded() const override { return GetUserData() != nullptr; }

private:
    int m_IndexNum = 0;
    int m_IndexSize = 4;
    bool m_Locked = false;
};

} // namespace Halvex::RenderCore
