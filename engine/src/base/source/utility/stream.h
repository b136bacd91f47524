#pragma once
// A growable memory block written at its end: reserve room, write at the write pointer,
// then Advance past what was written.

#include <cstddef>
#include <cstdint>

namespace Halvex::Base
{

class Stream
{
public:
    explicit Stream(std::size_t initialCapacity = 0);
    ~Stream();
    Stream(const Stream&) = delete;
    Stream& operator=(const Stream&) = delete;

    // Makes room for `extra` more bytes. A stream holding bytes grows to 1.5 times what it
    // needs; an empty one gets at least 512 bytes. False (and the old block kept) when the
    // memory cannot be had.
    bool Reserve(std::size_t extra);
    // Moves the write position; a move outside the block asserts and leaves it where it was.
    void Advance(std::ptrdiff_t len);

    // need * 1.5, truncated; 0 when that does not fit in a size_t.
    static std::size_t GrownCapacity(std::size_t need);

    std::uint8_t* GetBuffer() const { return m_Buf; }
    std::uint8_t* GetReadPointer() const { return m_BufReader; }
    std::uint8_t* GetWritePointer() const { return m_BufWriter; }
    std::size_t GetSize() const { return static_cast<std::size_t>(m_BufWriter - m_Buf); }
    std::size_t GetCapacity() const { return m_Capacity; }

private:
    bool Allocate(std::size_t capacity);
    bool Grow(std::size_t capacity);

    std::uint8_t* m_Buf = nullptr;
    std::uint8_t* m_BufReader = nullptr;
    std::uint8_t* m_BufWriter = nullptr;
    std::size_t m_Capacity = 0;
};

} // namespace Halvex::Base
