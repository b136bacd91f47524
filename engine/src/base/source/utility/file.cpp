#include "base/source/utility/file.h"

#include <sys/stat.h>

namespace Halvex::Base
{
namespace
{
constexpr const char* MODES[FILE_MODE_MAX] = {
    "wb+", // FILE_MODE_READ_WRITE_NEW
    "rb",  // FILE_MODE_READ
    "wb",  // FILE_MODE_WRITE
    "ab+", // FILE_MODE_APPEND
    "rb+", // FILE_MODE_READ_WRITE
};
static_assert(sizeof(MODES) / sizeof(MODES[0]) == FILE_MODE_MAX);
} // namespace

File::~File()
{
    Close();
}

bool File::Open(const std::string& path, int mode)
{
    Close();
    if (mode < 0 || mode >= FILE_MODE_MAX)
    {
        return false;
    }
    std::FILE* file = std::fopen(path.c_str(), MODES[mode]);
    if (!file)
    {
        return false;
    }
    // A directory opens for reading on Linux but yields no bytes and no length.
    struct stat info
    {
    };
    if (fstat(fileno(file), &info) != 0 || S_ISDIR(info.st_mode))
    {
        std::fclose(file);
        return false;
    }
    m_pFile = file;
    m_Path = path;
    return true;
}

bool File::Close()
{
    if (!m_pFile)
    {
        return false;
    }
    std::fclose(m_pFile);
    m_pFile = nullptr;
    return true;
}

bool File::Read(void* pBuffer, std::size_t size, std::size_t* pBytesRead)
{
    if (!m_pFile)
    {
        return false;
    }
    const std::size_t n = std::fread(pBuffer, 1, size, m_pFile);
    if (pBytesRead)
    {
        *pBytesRead = n;
    }
    return true;
}

std::size_t File::GetLength()
{
    if (!m_pFile)
    {
        return INVALID_LENGTH;
    }
    const off_t position = ftello(m_pFile);
    if (position < 0 || fseeko(m_pFile, 0, SEEK_END) != 0)
    {
        return INVALID_LENGTH;
    }
    const off_t end = ftello(m_pFile);
    fseeko(m_pFile, position, SEEK_SET);
    return end < 0 ? INVALID_LENGTH : static_cast<std::size_t>(end);
}

} // namespace Halvex::Base
