#include "d3d9gl/streamring.h"

#include <algorithm>
#include <utility>

namespace d3d9gl
{

void StreamRing::Create(GLStateCache& gl, std::size_t capacity,
                        bool (*pMapWrite)(GLenum, GLintptr, const void*, GLsizeiptr),
                        std::vector<uint8_t> pinned)
{
    m_pMapWrite = pMapWrite;
    m_Pinned = std::move(pinned);
    glGenBuffers(1, &m_Buffer);
    Orphan(gl, capacity);
}

void StreamRing::Release(GLStateCache& gl)
{
    if (!m_Buffer)
        return;
    gl.ForgetBuffer(m_Buffer);
    glDeleteBuffers(1, &m_Buffer);
    m_Buffer = 0;
}

void StreamRing::Orphan(GLStateCache& gl, std::size_t capacity)
{
    gl.BindBuffer(m_Slot, m_Buffer);
    glBufferData(m_Target, GLsizeiptr(capacity), nullptr, GL_STREAM_DRAW);
    if (!m_Pinned.empty())
        glBufferSubData(m_Target, 0, GLsizeiptr(m_Pinned.size()), m_Pinned.data());
    m_Capacity = capacity;
    m_Head = m_Pinned.size();
    ++m_Generation;
}

std::size_t StreamRing::Append(GLStateCache& gl, const void* pData, std::size_t size,
                               std::size_t alignment)
{
    std::size_t offset = (m_Head + alignment - 1) / alignment * alignment;
    if (offset + size > m_Capacity)
    {
        // A batch larger than the ring grows it for good, so it does not orphan every time.
        Orphan(gl, std::max(m_Capacity, (m_Pinned.size() + size + alignment) * 2));
        offset = (m_Head + alignment - 1) / alignment * alignment;
    }
    else
    {
        gl.BindBuffer(m_Slot, m_Buffer);
    }
    if (!m_pMapWrite || !m_pMapWrite(m_Target, GLintptr(offset), pData, GLsizeiptr(size)))
        glBufferSubData(m_Target, GLintptr(offset), GLsizeiptr(size), pData);
    m_Head = offset + size;
    return offset;
}

} // namespace d3d9gl
