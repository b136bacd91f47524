// Model files (".bin"): the whole reader over a memory stream.

#include "common/model/binmodel.h"

#include "datastream/binstream.h"

#include <algorithm>
#include <cstring>

namespace
{
class MemoryStream final : public Halvex::DataStream::BinStreamFastBase
{
public:
    MemoryStream(const uint8_t* pData, size_t size) : m_pData(pData), m_Size(size) {}
    bool Write(const void*, std::size_t) override { return false; }
    bool Read(void* pData, std::size_t size) override
    {
        if (size > m_Size - m_At)
            return false;
        std::memcpy(pData, m_pData + m_At, size);
        m_At += size;
        return true;
    }
    std::uint64_t GetRemaining() const override { return m_Size - m_At; }

private:
    const uint8_t* m_pData;
    size_t m_Size;
    size_t m_At = 0;
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t size)
{
    MemoryStream stream(pData, size);
    Bin_Model model;
    std::string error;
    ReadBinModel(stream, &model, &error);
    return 0;
}
