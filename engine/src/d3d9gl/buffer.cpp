#include "d3d9gl/buffer.h"

#include "base/source/system/logger.h"
#include "d3d9gl/device.h"

#include <algorithm>

namespace d3d9gl
{

BufferStorage::BufferStorage(Device* pDevice, UINT length, DWORD usage, D3DPOOL pool,
                             GLBufferSlot slot)
    : DeviceChild(pDevice), m_Usage(usage), m_Pool(pool), m_Slot(slot), m_Data(length, 0)
{
}

GLenum BufferStorage::BindForUpload()
{
    m_pDevice->GL().BindBuffer(m_Slot, m_Buffer);
    return m_Slot == GL_SLOT_ELEMENT_ARRAY ? GL_ELEMENT_ARRAY_BUFFER : GL_COPY_WRITE_BUFFER;
}

BufferStorage::~BufferStorage()
{
    if (m_pDevice)
    {
        m_pDevice->Activate();
        ReleaseGL();
    }
}

bool BufferStorage::Create()
{
    glGenBuffers(1, &m_Buffer);
    glBufferData(BindForUpload(), GLsizeiptr(m_Data.size()), m_Data.data(),
                 (m_Usage & D3DUSAGE_DYNAMIC) ? GL_DYNAMIC_DRAW : GL_STATIC_DRAW);
    m_pDevice->CountUpload(m_Data.size());
    return m_Buffer != 0;
}

void BufferStorage::ReleaseGL()
{
    if (m_Buffer)
    {
        m_pDevice->GL().ForgetBuffer(m_Buffer);
        glDeleteBuffers(1, &m_Buffer);
        m_Buffer = 0;
    }
}

HRESULT BufferStorage::LockRange(UINT offset, UINT size, void** ppData, DWORD flags)
{
    const UINT length = Length();
    if (size == 0)
        size = offset <= length ? length - offset : 0;
    if (!ppData || offset > length || size > length - offset)
    {
        Halvex::Base::Log(LOG_MODULE, Halvex::Base::LOG_LEVEL_ERROR,
                          "Lock: range %u+%u lies outside the %u-byte buffer", offset, size,
                          length);
        return D3DERR_INVALIDCALL;
    }
    if (!(flags & D3DLOCK_READONLY) && size > 0)
    {
        if (m_DirtyBegin == m_DirtyEnd)
        {
            m_DirtyBegin = offset;
            m_DirtyEnd = offset + size;
        }
        else
        {
            m_DirtyBegin = std::min(m_DirtyBegin, offset);
            m_DirtyEnd = std::max(m_DirtyEnd, offset + size);
        }
    }
    ++m_LockCount;
    *ppData = m_Data.data() + offset;
    return D3D_OK;
}

HRESULT BufferStorage::UnlockRange()
{
    if (m_LockCount == 0)
        return D3DERR_INVALIDCALL;
    if (--m_LockCount > 0 || m_DirtyBegin == m_DirtyEnd)
        return D3D_OK;
    if (m_pDevice)
    {
        m_pDevice->Activate();
        const GLenum target = BindForUpload();
        if (m_DirtyBegin == 0 && m_DirtyEnd == Length())
        {
            // A whole-buffer update orphans the old storage instead of waiting for draws.
            glBufferData(target, GLsizeiptr(m_Data.size()), m_Data.data(),
                         (m_Usage & D3DUSAGE_DYNAMIC) ? GL_DYNAMIC_DRAW : GL_STATIC_DRAW);
        }
        else
        {
            glBufferSubData(target, GLintptr(m_DirtyBegin), GLsizeiptr(m_DirtyEnd - m_DirtyBegin),
                            m_Data.data() + m_DirtyBegin);
        }
        m_pDevice->CountUpload(m_DirtyEnd - m_DirtyBegin);
    }
    m_DirtyBegin = m_DirtyEnd = 0;
    return D3D_OK;
}

HRESULT VertexBuffer::GetDesc(D3DVERTEXBUFFER_DESC* pDesc)
{
    if (!pDesc)
        return D3DERR_INVALIDCALL;
    *pDesc = {D3DFMT_VERTEXDATA, D3DRTYPE_VERTEXBUFFER, Usage(), Pool(), Length(), m_Fvf};
    return D3D_OK;
}

HRESULT IndexBuffer::GetDesc(D3DINDEXBUFFER_DESC* pDesc)
{
    if (!pDesc)
        return D3DERR_INVALIDCALL;
    *pDesc = {m_Format, D3DRTYPE_INDEXBUFFER, Usage(), Pool(), Length()};
    return D3D_OK;
}

} // namespace d3d9gl
