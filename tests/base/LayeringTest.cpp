#include "testsupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <string>

// Dependencies point downward: the base library, the rendering core and the GUI toolkit
// know neither OpenGL nor the Direct3D 9 layer, only the GUI's SDL message handler sees
// SDL, and the application reaches the back end only through the rendering core.
namespace
{
struct LayerRule
{
    const char* folder;
    const char* forbidden;
    const char* allowedFile; // a file stem the rule does not apply to, or ""
};

constexpr const char* PLATFORM_OR_BACK_END =
    R"(^\s*#\s*include\s*[<"](SDL|GL/|GLES|epoxy/|d3d9gl/|d3d9|renderdevice_dx9/))";
constexpr const char* GRAPHICS_API = R"(^\s*#\s*include\s*[<"](GL/|GLES|epoxy/|d3d9gl/|d3d9))";
constexpr const char* SDL = R"(^\s*#\s*include\s*[<"]SDL)";
constexpr const char* BACK_END = R"(^\s*#\s*include\s*[<"](d3d9gl/|d3d9|renderdevice_dx9/))";

constexpr LayerRule RULES[] = {
    {"engine/src/base", PLATFORM_OR_BACK_END, ""},
    {"engine/src/rendercore", PLATFORM_OR_BACK_END, ""},
    {"engine/src/gui", GRAPHICS_API, ""},
    {"engine/src/gui", SDL, "hmsghandler_sdl"},
    {"app", BACK_END, ""},
};
} // namespace

TEST(Layering, LowerLayersIncludeNoPlatformOrBackEndHeaders)
{
    for (const LayerRule& rule : RULES)
    {
        const std::filesystem::path root = HalvexTest::SourceDir() / rule.folder;
        ASSERT_TRUE(std::filesystem::is_directory(root)) << root;
        const std::regex forbidden(rule.forbidden);
        int files = 0;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(root))
        {
            if (!entry.is_regular_file() || entry.path().stem() == rule.allowedFile)
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
        EXPECT_GT(files, 5) << rule.folder;
    }
}
