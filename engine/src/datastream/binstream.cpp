#include "datastream/binstream.h"

namespace Halvex::DataStream
{

BinStreamFastCommon::BinStreamFastCommon(std::unique_ptr<FileC> pFile) : m_pFile(std::move(pFile))
{
}

BinStreamFastCommon::~BinStreamFastCommon()
{
    if (m_pFile)
    {
        m_pFile->Close();
    }
}

bool BinStreamFastCommon::Write(const void* pData, std::size_t size)
{
    return m_pFile && m_pFile->IsOpen() && m_pFile->Write(pData, size) == size;
}

bool BinStreamFastCommon::Read(void* pData, std::size_t size)
{
    return m_pFile && m_pFile->IsOpen() && m_pFile->Read(pData, size) == size;
}

std::uint64_t BinStreamFastCommon::GetRemaining() const
{
    return m_pFile ? m_pFile->GetRemaining() : 0;
}

std::unique_ptr<BinStreamFastCommon> CreateBinStream(const std::string& path, bool forWrite)
{
    auto pFile = std::make_unique<FileC>();
    if (!pFile->Open(path.c_str(), forWrite ? FILEC_WRITE : FILEC_READ))
    {
        return nullptr;
    }
    return std::make_unique<BinStreamFastCommon>(std::move(pFile));
}

} // namespace Halvex::DataStream
