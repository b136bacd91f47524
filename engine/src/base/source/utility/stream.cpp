#include "base/source/utility/stream.h"

#include "base/source/system/logger.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace Halvex::Base
{
namespace
{
constexpr std::size_t MIN_FIRST_BLOCK = 512;
constexpr double GROWTH = 1.5;
} // namespace

Stream::Stream(std::size_t initialCapacity)
{
    if (initialCapacity != 0)
    {
        Reserve(initialCapacity);
    }
}

Stream::~Stream()
{
    std::free(m_Buf);
}

bool Stream::Reserve(std::size_t extra)
{
    if (extra == 0)
    {
        HX_RAISE("size > 0");
    }
    const std::size_t used = GetSize();
    if (extra > std::numeric_limits<std::size_t>::max() - used)
    {
        HX_RAISE("!\"Stream can not malloc\"");
        return false;
    }
    const std::size_t need = used + extra;
    if (need <= m_Capacity)
    {
        return true;
    }
    if (used != 0)
    {
        HX_ASSERT(m_Buf);
        const std::size_t grown = GrownCapacity(need);
        if (grown == 0)
        {
            HX_RAISE("!\"Stream can not malloc\"");
            return false;
        }
        return Grow(grown);
    }
    if (m_Buf != nullptr)
    {
        HX_RAISE("m_Buf == NULL");
        std::free(m_Buf);
        m_Buf = m_BufReader = m_BufWriter = nullptr;
        m_Capacity = 0;
    }
    return Allocate(std::max(extra, MIN_FIRST_BLOCK));
}

std::size_t Stream::GrownCapacity(std::size_t need)
{
    const double grown = static_cast<double>(need) * GROWTH;
    // Past the largest size the growth cannot be represented; no allocator would serve it.
    if (grown >= static_cast<double>(std::numeric_limits<std::size_t>::max()))
    {
        return 0;
    }
    return static_cast<std::size_t>(grown);
}

bool Stream::Grow(std::size_t capacity)
{
    const std::size_t used = GetSize();
    auto* block = static_cast<std::uint8_t*>(std::realloc(m_Buf, capacity));
    if (!block)
    {
        HX_RAISE("!\"Stream can not malloc\"");
        return false;
    }
    m_Buf = block;
    m_BufReader = block;
    m_BufWriter = block + used;
    m_Capacity = capacity;
    return true;
}

bool Stream::Allocate(std::size_t capacity)
{
    auto* block = static_cast<std::uint8_t*>(std::malloc(capacity));
    if (!block)
    {
        HX_RAISE("!\"Stream can not malloc\"");
        return false;
    }
    m_Buf = m_BufReader = m_BufWriter = block;
    m_Capacity = capacity;
    return true;
}

void Stream::Advance(std::ptrdiff_t len)
{
    // Compared as offsets: pointer arithmetic outside the block is itself undefined.
    const auto target = static_cast<std::ptrdiff_t>(GetSize()) + len;
    if (target < 0)
    {
        HX_RAISE("m_BufWriter + len >= m_Buf");
        return;
    }
    if (static_cast<std::size_t>(target) > m_Capacity)
    {
        HX_RAISE("m_BufWriter + len <= m_Buf + m_Capacity");
        return;
    }
    m_BufWriter = m_Buf + target;
}

} // namespace Halvex::Base
