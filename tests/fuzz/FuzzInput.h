#pragma once
// Reads the parameters a fuzz target needs from the front of its input; what remains is the
// file under test.

#include <cstddef>
#include <cstdint>
#include <cstring>

class FuzzInput
{
public:
    FuzzInput(const uint8_t* pData, size_t size) : m_pData(pData), m_Size(size) {}

    // The next byte, or 0 past the end.
    uint8_t Byte()
    {
        if (m_Size == 0)
            return 0;
        --m_Size;
        return *m_pData++;
    }
    uint32_t Word()
    {
        uint32_t value = 0;
        for (int i = 0; i < 4; ++i)
            value = (value << 8) | Byte();
        return value;
    }
    const uint8_t* Rest() const { return m_pData; }
    size_t RestSize() const { return m_Size; }

private:
    const uint8_t* m_pData;
    size_t m_Size;
};
