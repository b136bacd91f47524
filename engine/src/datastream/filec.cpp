#include "datastream/filec.h"

#include <sys/stat.h>

namespace Halvex::DataStream
{
namespace
{
const char* ModeOf(int flags)
{
    switch (flags)
    {
    case FILEC_READ_WRITE_NEW:
        return "wb+";
    case FILEC_READ:
        return "rb";
    case FILEC_WRITE:
        return "wb";
    case FILEC_APPEND:
        return "ab+";
    default:
        return nullptr;
    }
}
} // namespace

FileC::~FileC()
{
    Close();
}

bool FileC::Open(const char* pPath, int flags)
{
    Close();
    const char* mode = ModeOf(flags);
    if (!pPath || !mode)
    {
        return false;
    }
    std::FILE* file = std::fopen(pPath, mode);
    if (!file)
    {
        return false;
    }
    struct stat info
    {
    };
    if (fstat(fileno(file), &info) != 0 || S_ISDIR(info.st_mode))
    {
        std::fclose(file);
        return false;
    }
    m_pFile = file;
    return true;
}

void FileC::Close()
{
    if (m_pFile)
    {
        std::fclose(m_pFile);
        m_pFile = nullptr;
    }
}

std::size_t FileC::Read(void* pData, std::size_t size)
{
    return m_pFile ? std::fread(pData, 1, size, m_pFile) : 0;
}

std::size_t FileC::Write(const void* pData, std::size_t size)
{
    return m_pFile ? std::fwrite(pData, 1, size, m_pFile) : 0;
}

std::uint64_t FileC::GetRemaining() const
{
    if (!m_pFile)
    {
        return 0;
    }
    // The size comes from the file itself; ftello accounts for what the buffer holds.
    struct stat info
    {
    };
    const off_t position = ftello(m_pFile);
    if (position < 0 || fstat(fileno(m_pFile), &info) != 0 || info.st_size < position)
    {
        return 0;
    }
    return static_cast<std::uint64_t>(info.st_size - position);
}

} // namespace Halvex::DataStream
