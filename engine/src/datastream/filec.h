#pragma once
// The buffered file behind a binary stream.

#include <cstdint>
#include <cstdio>

namespace Halvex::DataStream
{

enum FileCFlag
{
    FILEC_READ_WRITE_NEW = 1, // "wb+"
    FILEC_READ = 2,           // "rb"
    FILEC_WRITE = 4,          // "wb"
    FILEC_APPEND = 8,         // "ab+"
};

class FileC
{
public:
    FileC() = default;
    virtual ~FileC();
    FileC(const FileC&) = delete;
    FileC& operator=(const FileC&) = delete;

    // Exactly one FileCFlag; any other value (or a directory) opens nothing.
    bool Open(const char* pPath, int flags);
    void Close();
    bool IsOpen() const { return m_pFile != nullptr; }

    // Counts of bytes moved, as fread/fwrite give them.
    std::size_t Read(void* pData, std::size_t size);
    std::size_t Write(const void* pData, std::size_t size);
    // Bytes between the position and the end of the file; 0 when none is open.
    std::uint64_t GetRemaining() const;

private:
    std::FILE* m_pFile = nullptr;
};

} // namespace Halvex::DataStream
