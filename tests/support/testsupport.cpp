#include "testsupport.h"

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace HalvexTest
{

std::filesystem::path SourceDir()
{
    if (const char* dir = std::getenv("HALVEX_SOURCE_DIR"))
    {
        return dir;
    }
    return HALVEX_DEFAULT_SOURCE_DIR;
}

TempDir::TempDir()
{
    static std::atomic<int> counter{0};
    m_Path = std::filesystem::temp_directory_path() /
             ("halvex-test-" + std::to_string(getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(m_Path);
    std::filesystem::create_directories(m_Path);
}

TempDir::~TempDir()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_Path, ignored);
}

CurrentDir::CurrentDir(const std::filesystem::path& dir)
    : m_Previous(std::filesystem::current_path())
{
    std::filesystem::current_path(dir);
}

CurrentDir::~CurrentDir()
{
    std::error_code ignored;
    std::filesystem::current_path(m_Previous, ignored);
}

void WriteFile(const std::filesystem::path& path, const std::string& bytes)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

} // namespace HalvexTest
