#include "testsupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <string>

// The rendering core sits below every back end: it must not see OpenGL, SDL or the
// Direct3D 9 layer.
TEST(RenderCoreLayering, SourcesIncludeNoPlatformOrBackEndHeaders)
{
    const std::filesystem::path root = HalvexTest::SourceDir() / "engine/src/rendercore";
    ASSERT_TRUE(std::filesystem::is_directory(root)) << root;
    const std::regex forbidden(
        R"(^\s*#\s*include\s*[<"](SDL|GL/|GLES|epoxy/|d3d9gl/|d3d9|renderdevice_dx9/))");
    int files = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root))
    {
        if (!entry.is_regular_file())
        {
            continue;
        }
        ++files;
        std::ifstream in(entry.path());
        std::string line;
        while (std::getline(in, line))
        {
            EXPECT_FALSE(std::regex_search(line, forbidden)) << entry.path() << ": " << line;
        }
    }
    EXPECT_GT(files, 10);
}
