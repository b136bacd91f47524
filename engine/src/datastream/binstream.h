#pragma once
// Binary streams: an abstract reader/writer and its file-backed implementation.

#include "datastream/filec.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace Halvex::DataStream
{

class BinStreamFastBase
{
public:
    virtual ~BinStreamFastBase() = default;
    // True only when exactly `size` bytes were moved.
    virtual bool Write(const void* pData, std::size_t size) = 0;
    virtual bool Read(void* pData, std::size_t size) = 0;
    // Bytes a reader can still get. Counts read from the stream are checked against it, so
    // that a corrupt count never allocates more than the stream could fill.
    virtual std::uint64_t GetRemaining() const = 0;
};

class BinStreamFastCommon : public BinStreamFastBase
{
public:
    explicit BinStreamFastCommon(std::unique_ptr<FileC> pFile);
    ~BinStreamFastCommon() override;

    bool Write(const void* pData, std::size_t size) override;
    bool Read(void* pData, std::size_t size) override;
    std::uint64_t GetRemaining() const override;

private:
    std::unique_ptr<FileC> m_pFile;
};

// Opens `path` for writing ("wb") or reading ("rb"); null when the file cannot be opened.
std::unique_ptr<BinStreamFastCommon> CreateBinStream(const std::string& path, bool forWrite);

} // namespace Halvex::DataStream
