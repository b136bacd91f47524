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

// Makes a folder the working directory, and the previous one again with the object.
class CurrentDir
{
public:
    explicit CurrentDir(const std::filesystem::path& dir);
    ~CurrentDir();
    CurrentDir(const CurrentDir&) = delete;
    CurrentDir& operator=(const CurrentDir&) = delete;

private:
    std::filesystem::path m_Previous;
};

// Writes bytes to a file, creating its folders.
void WriteFile(const std::filesystem::path& path, const std::string& bytes);
// A file's bytes; empty when it cannot be read.
std::string ReadFile(const std::filesystem::path& path);

} // namespace HalvexTest
