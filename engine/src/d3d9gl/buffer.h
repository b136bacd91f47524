#pragma once
// Vertex and index buffers: a CPU copy that Lock hands out and a GL buffer that Unlock
// updates with the locked range.

#include "d3d9gl/d3d9.h"
#include "d3d9gl/devicechild.h"
#include "d3d9gl/refcounted.h"

#include "d3d9gl/glapi.h"
#include "d3d9gl/glstatecache.h"

#include <vector>

namespace d3d9gl
{

class BufferStorage : public DeviceChild
{
public:
    // `slot` is where the buffer is bound for uploads: WebGL keeps index data and other data
    // in separate buffers, decided by a buffer's first binding.
    BufferStorage(Device* pDevice, UINT length, DWORD usage, D3DPOOL pool,
                  GLBufferSlot slot = GL_SLOT_COPY_WRITE);
    ~BufferStorage() override;
    bool Create();
    void ReleaseGL() override;
    const char* GetKind() const override { return "buffer"; }

    GLuint Name() const { return m_Buffer; }
    UINT Length() const { return UINT(m_Data.size()); }
    DWORD Usage() const { return m_Usage; }
    D3DPOOL Pool() const { return m_Pool; }
    // The CPU copy: the GL buffer's contents once every lock is undone.
    const std::vector<uint8_t>& Data() const { return m_Data; }

    // Locks nest; the union of the written ranges is uploaded at the last unlock.
    HRESULT LockRange(UINT offset, UINT size, void** ppData, DWORD flags);
    HRESULT UnlockRange();

private:
    // Binds the buffer at its upload slot; the slot's target.
    GLenum BindForUpload();

    DWORD m_Usage;
    D3DPOOL m_Pool;
    GLBufferSlot m_Slot;
    GLuint m_Buffer = 0;
    std::vector<uint8_t> m_Data;
    UINT m_LockCount = 0;
    UINT m_DirtyBegin = 0;
    UINT m_DirtyEnd = 0;
};

class VertexBuffer final : public RefCounted<IDirect3DVertexBuffer9>, public BufferStorage
{
public:
    VertexBuffer(Device* pDevice, UINT length, DWORD usage, D3DPOOL pool, DWORD fvf)
        : BufferStorage(pDevice, length, usage, pool), m_Fvf(fvf)
    {
    }
    D3DRESOURCETYPE GetType() override { return D3DRTYPE_VERTEXBUFFER; }
    HRESULT Lock(UINT OffsetToLock, UINT SizeToLock, void** ppbData, DWORD Flags) override
    {
        return LockRange(OffsetToLock, SizeToLock, ppbData, Flags);
    }
    HRESULT Unlock() override { return UnlockRange(); }
    HRESULT GetDesc(D3DVERTEXBUFFER_DESC* pDesc) override;

private:
    DWORD m_Fvf;
};

class IndexBuffer final : public RefCounted<IDirect3DIndexBuffer9>, public BufferStorage
{
public:
    IndexBuffer(Device* pDevice, UINT length, DWORD usage, D3DPOOL pool, D3DFORMAT format)
        : BufferStorage(pDevice, length, usage, pool, GL_SLOT_ELEMENT_ARRAY), m_Format(format)
    {
    }
    D3DRESOURCETYPE GetType() override { return D3DRTYPE_INDEXBUFFER; }
    HRESULT Lock(UINT OffsetToLock, UINT SizeToLock, void** ppbData, DWORD Flags) override
    {
        return LockRange(OffsetToLock, SizeToLock, ppbData, Flags);
    }
    HRESULT Unlock() override { return UnlockRange(); }
    HRESULT GetDesc(D3DINDEXBUFFER_DESC* pDesc) override;
    D3DFORMAT Format() const { return m_Format; }

private:
    D3DFORMAT m_Format;
};

} // namespace d3d9gl
