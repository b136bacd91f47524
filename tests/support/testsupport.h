#pragma once
// Helpers shared by every test tier.

#include <filesystem>
#include <string>

namespace HalvexTest
{

// The repository root (from HALVEX_SOURCE_DIR, set by CTest; falls back to the build's).
std::filesystem::path SourceDir();

// A fresh folder under the system's temporary directory, removed with the object.
class TempDir
{
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& Path() const { return m_Path; }
    std::filesystem::path operator/(const std::string& name) const { return m_Path / name; }

private:
    std::filesystem::path m_Path;
};

// Writes bytes to a file, creating its folders.
void WriteFile(const std::filesystem::path& path, const std::string& bytes);

} // namespace HalvexTest
