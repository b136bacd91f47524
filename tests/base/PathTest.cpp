#include "base/source/utility/path.h"
#include "base/source/system/directory.h"
#include "base/source/system/logger.h"
#include "base/source/utility/tokenizer.h"

#include "testsupport.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <tuple>

using namespace Halvex::Base;
using Tokens = std::vector<std::string>;

TEST(Path, NormalizeCollapsesSeparatorRunsWarnsOfFullPathsAndDirectoryCutsAtEitherSeparator)
{
    DiagnosticCapture capture;
    const Tokens normalized = {NormalizePath("a//b/../c"), NormalizePath("Data\\\\_Tex_/\\x.dds"),
                               NormalizePath("//root"), NormalizePath("")};
    EXPECT_EQ(normalized, (Tokens{"a/b/../c", "Data/_Tex_/x.dds", "/root", ""}));
    EXPECT_EQ(NormalizePath(std::string(5000, 'a')).size(), 4095u);
    EXPECT_TRUE(capture.Logs().empty());
    EXPECT_EQ(NormalizePath("C:\\x//y"), "C:/x/y");
    ASSERT_EQ(capture.Logs().size(), 1u);
    EXPECT_EQ(capture.Logs()[0].level, LOG_LEVEL_WARNING_3);

    const Tokens directories = {GetDirectory("Data/Tex\\a.png"), GetDirectory("Data\\Tex/a.png"),
                                GetDirectory("a.png")};
    EXPECT_EQ(directories, (Tokens{"Data/Tex", "Data\\Tex", "./"}));
}

TEST(Split, CutsAtDelimitersSkippingEmptyTokensUnlessToldAndTrimLeft)
{
    // Text, delimiters, whether empty tokens are skipped, and the tokens.
    const std::tuple<const char*, const char*, bool, Tokens> cases[] = {
        {"  Hello, world!  How are you?", nullptr, true, {"Hello", "world", "How", "are", "you"}},
        {" ,.; ", nullptr, true, {}},
        {"one, two", nullptr, false, {"one", "", "two"}},
        {"a||b|", "|", false, {"a", "", "b"}},
        {"x y", "", false, {"x", "y"}}, // "" means the default set
    };
    for (const auto& [text, delimiters, skipEmpty, expected] : cases)
    {
        Tokens tokens{"stale"};
        Split(text, &tokens, delimiters, skipEmpty);
        EXPECT_EQ(tokens, expected) << text;
    }
    EXPECT_EQ(TrimLeft(" \t\r\n text \n"), "text \n");
    EXPECT_EQ(TrimLeft("--x-", "-"), "x-");
}

TEST(Directory, ModuleDirectoryHoldsTheExecutableAndSetCurrentDirectoryMoves)
{
    EXPECT_EQ(GetModuleDirectory(),
              std::filesystem::read_symlink("/proc/self/exe").parent_path().string());
    const std::filesystem::path previous = std::filesystem::current_path();
    HalvexTest::TempDir dir;
    EXPECT_FALSE(SetCurrentDirectory(""));
    EXPECT_FALSE(SetCurrentDirectory((dir / "missing").string()));
    EXPECT_EQ(std::filesystem::current_path(), previous);
    ASSERT_TRUE(SetCurrentDirectory(dir.Path().string()));
    EXPECT_EQ(std::filesystem::current_path(), std::filesystem::canonical(dir.Path()));
    ASSERT_TRUE(SetCurrentDirectory(previous.string()));
}
