#pragma once
// Reads a whole file into memory, at once or in chunks with a progress callback that can
// stop the load.

#include "base/source/utility/stream.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <string>

namespace Halvex::Base
{

class FileLoader
{
public:
    // (path, 1, bytes done, bytes total) -> false stops the load. It is called before each
    // chunk is read.
    using ProgressCallback = std::function<bool(const std::string& path, int stage,
                                                std::size_t done, std::size_t total)>;

    FileLoader() = default;

    // True when the whole file arrived; the bytes read so far stay available either way.
    bool Load(const std::string& path);
    // Null before a load and for an empty file.
    const std::uint8_t* GetData() const { return m_pStream ? m_pStream->GetBuffer() : nullptr; }
    std::size_t GetSize() const { return m_pStream ? m_pStream->GetSize() : 0; }
    void Release() { m_pStream.reset(); }

    // 0 reads everything at once.
    void SetChunkSize(std::size_t bytes) { m_ChunkSize = bytes; }
    void SetProgressCallback(ProgressCallback callback) { m_Callback = std::move(callback); }
    const std::string& GetPath() const { return m_Path; }

private:
    std::unique_ptr<Stream> m_pStream;
    std::size_t m_ChunkSize = 0;
    ProgressCallback m_Callback;
    std::string m_Path;
};

} // namespace Halvex::Base
