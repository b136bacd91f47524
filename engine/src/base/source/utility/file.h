#pragma once
// A thin owner of a buffered C file.

#include <cstddef>
#include <cstdio>
#include <string>

namespace Halvex::Base
{

enum FileMode
{
    FILE_MODE_READ_WRITE_NEW = 0, // "wb+"
    FILE_MODE_READ = 1,           // "rb"
    FILE_MODE_WRITE = 2,          // "wb"
    FILE_MODE_APPEND = 3,         // "ab+"
    FILE_MODE_READ_WRITE = 4,     // "rb+"
    FILE_MODE_MAX
};

class File
{
public:
    static constexpr std::size_t INVALID_LENGTH = static_cast<std::size_t>(-1);

    File() = default;
    ~File();
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    // Closes a file opened before. Fails (quietly) for a mode outside FileMode, a path
    // that cannot be opened, or a directory.
    bool Open(const std::string& path, int mode);
    // False when nothing was open.
    bool Close();
    // False only when no file is open; *pBytesRead (optional) says how much arrived.
    bool Read(void* pBuffer, std::size_t size, std::size_t* pBytesRead);
    // Bytes in the file, or INVALID_LENGTH when none is open.
    std::size_t GetLength();

    bool IsOpen() const { return m_pFile != nullptr; }
    const std::string& GetPath() const { return m_Path; }

private:
    std::FILE* m_pFile = nullptr;
    std::string m_Path;
};

} // namespace Halvex::Base
