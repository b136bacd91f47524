#pragma once
// A GL buffer that streamed data is appended to: each write maps the next free range
// unsynchronised (no draw can still read it) and returns its offset; when the ring is full
// the storage is orphaned and writing starts again at the front, so the draws still in
// flight keep the old storage and nothing waits. Where GL maps only whole buffers (WebGL
// 2 allows MAP_WRITE | MAP_INVALIDATE_BUFFER alone), the range is written with
// glBufferSubData instead. Bytes pinned at creation stay at the front of every storage.

#include "d3d9gl/glstatecache.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace d3d9gl
{

class StreamRing
{
public:
    StreamRing(GLBufferSlot slot, GLenum target) : m_Slot(slot), m_Target(target) {}

    // pMapWrite: writes through a range map (GLProfile_t::mapWrite), or null. `pinned` is
    // written at offset 0 of each storage, ahead of what is appended.
    void Create(GLStateCache& gl, std::size_t capacity,
                bool (*pMapWrite)(GLenum, GLintptr, const void*, GLsizeiptr),
                std::vector<uint8_t> pinned = {});
    void Release(GLStateCache& gl);
    GLuint Name() const { return m_Buffer; }
    // Counts the times the storage was replaced: ranges bound before then read undefined
    // data and must be written again.
    uint32_t Generation() const { return m_Generation; }

    // Copies `size` bytes in at an offset that is a multiple of `alignment` and returns it;
    // leaves the buffer bound to the ring's slot.
    std::size_t Append(GLStateCache& gl, const void* pData, std::size_t size,
                       std::size_t alignment);

private:
    void Orphan(GLStateCache& gl, std::size_t capacity);

    GLBufferSlot m_Slot;
    GLenum m_Target;
    GLuint m_Buffer = 0;
    bool (*m_pMapWrite)(GLenum, GLintptr, const void*, GLsizeiptr) = nullptr;
    std::vector<uint8_t> m_Pinned;
    std::size_t m_Capacity = 0;
    std::size_t m_Head = 0;
    uint32_t m_Generation = 0;
};

} // namespace d3d9gl
