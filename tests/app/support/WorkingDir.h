#pragma once
// Runs a test from a temporary "bin" folder with the run-time layout beside it (../Data,
// ../Shader/hlsl), and goes back to the previous working directory afterwards.

#include "testsupport.h"

#include <filesystem>
#include <string>

class WorkingDir
{
public:
    WorkingDir() : m_Current(MakeBin(m_Root)) {}

    // Writes a file relative to the root (the parent of the working directory).
    void Write(const std::string& relative, const std::string& bytes) const
    {
        HalvexTest::WriteFile(m_Root.Path() / relative, bytes);
    }
    const std::filesystem::path& Root() const { return m_Root.Path(); }

private:
    static std::filesystem::path MakeBin(const HalvexTest::TempDir& root)
    {
        std::filesystem::create_directories(root / "bin");
        return root / "bin";
    }

    HalvexTest::TempDir m_Root;
    HalvexTest::CurrentDir m_Current;
};
