#include "base/source/utility/fileloader.h"

#include "base/source/utility/file.h"

#include <algorithm>

namespace Halvex::Base
{

bool FileLoader::Load(const std::string& path)
{
    if (path.empty())
    {
        return false;
    }
    Release();
    m_Path = path;
    File file;
    if (!file.Open(path, FILE_MODE_READ))
    {
        return false;
    }
    const std::size_t total = file.GetLength();
    if (total == File::INVALID_LENGTH)
    {
        return false;
    }
    m_pStream = std::make_unique<Stream>(total);
    if (m_pStream->GetCapacity() < total)
    {
        return false;
    }
    std::size_t done = 0;
    while (done < total)
    {
        if (m_Callback && !m_Callback(path, 1, done, total))
        {
            break;
        }
        // Never past the block: a chunk larger than what is left reads only what is left.
        const std::size_t left = total - done;
        const std::size_t chunk = m_ChunkSize == 0 ? left : std::min(m_ChunkSize, left);
        std::size_t n = 0;
        file.Read(m_pStream->GetWritePointer(), chunk, &n);
        if (n == 0)
        {
            break;
        }
        m_pStream->Advance(static_cast<std::ptrdiff_t>(n));
        done += n;
    }
    return done >= total;
}

} // namespace Halvex::Base
