#pragma once
// Runs a test from a temporary "bin" folder with the run-time layout beside it (../Data,
// ../Shader/hlsl), and goes back to the previous working directory afterwards.

#include "testsupport.h"

#include <filesystem>
#include <string>

class WorkingDir
{
public:
    WorkingDir() : m_Previous(std::filesystem::current_path())
    {
        std::filesystem::create_directories(m_Root.Path() / "bin");
        std::filesystem::current_path(m_Root.Path() / "bin");
    }
    ~WorkingDir() { std::filesystem::current_path(m_Previous); }
    WorkingDir(const WorkingDir&) = delete;
    WorkingDir& operator=(const WorkingDir&) = delete;

    // Writes a file relative to the root (the parent of the working directory).
    void Write(const std::string& relative, const std::string& bytes) const
    {
        HalvexTest::WriteFile(m_Root.Path() / relative, bytes);
    }
    const std::filesystem::path& Root() const { return m_Root.Path(); }

private:
    std::filesystem::path m_Previous;
    HalvexTest::TempDir m_Root;
};
