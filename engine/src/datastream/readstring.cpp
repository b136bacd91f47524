#include "datastream/readstring.h"

#include "base/source/system/logger.h"

namespace Halvex::DataStream
{
namespace
{
bool FitsInStream(const BinStreamFastBase& stream, std::uint64_t count, std::size_t elementSize,
                  const char* what)
{
    const std::uint64_t remaining = stream.GetRemaining();
    if (elementSize != 0 && count > remaining / elementSize)
    {
        Base::Log(Base::BASE_MODULE, Base::LOG_LEVEL_ERROR,
                  "%s of %llu x %zu bytes runs past the end of the data (%llu bytes left)", what,
                  static_cast<unsigned long long>(count), elementSize,
                  static_cast<unsigned long long>(remaining));
        return false;
    }
    return true;
}
} // namespace

bool ReadUInt32(BinStreamFastBase& stream, std::uint32_t* pValue)
{
    std::uint8_t bytes[4];
    if (!pValue || !stream.Read(bytes, sizeof(bytes)))
    {
        return false;
    }
    *pValue = static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
              static_cast<std::uint32_t>(bytes[2]) << 16 |
              static_cast<std::uint32_t>(bytes[3]) << 24;
    return true;
}

bool ReadCount(BinStreamFastBase& stream, std::uint32_t* pCount, std::size_t elementSize)
{
    std::uint32_t count = 0;
    if (!pCount || !ReadUInt32(stream, &count) ||
        !FitsInStream(stream, count, elementSize, "Count"))
    {
        return false;
    }
    *pCount = count;
    return true;
}

bool ReadString(BinStreamFastBase& stream, std::string* pStr)
{
    std::uint32_t bits = 0;
    if (!pStr || !ReadUInt32(stream, &bits))
    {
        return false;
    }
    pStr->clear();
    const auto length = static_cast<std::int32_t>(bits);
    if (length < 1)
    {
        return true;
    }
    if (!FitsInStream(stream, static_cast<std::uint64_t>(length), 1, "String"))
    {
        return false;
    }
    pStr->resize(static_cast<std::size_t>(length));
    return stream.Read(pStr->data(), pStr->size());
}

} // namespace Halvex::DataStream
