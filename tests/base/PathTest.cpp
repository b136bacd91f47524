#include "base/source/utility/path.h"
#include "base/source/system/directory.h"
#include "base/source/system/logger.h"
#include "base/source/utility/tokenizer.h"

#include "testsupport.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace Halvex::Base;
using Tokens = std::vector<std::string>;

TEST(NormalizePath, CollapsesSeparatorRunsToOneSlashAndKeepsDotDot)
{
    DiagnosticCapture capture;
    EXPECT_EQ(NormalizePath("a//b/../c"), "a/b/../c");
    EXPECT_EQ(NormalizePath("Data\\\\_Tex_/\\x.dds"), "Data/_Tex_/x.dds");
    EXPECT_EQ(NormalizePath("//root"), "/root");
    EXPECT_EQ(NormalizePath(""), "");
    EXPECT_EQ(NormalizePath(std::string(5000, 'a')).size(), 4095u);
    EXPECT_TRUE(capture.Logs().empty());
}

TEST(NormalizePath, PathWithColonLogsTheFullPathWarning)
{
    DiagnosticCapture capture;
    EXPECT_EQ(NormalizePath("C:\\x//y"), "C:/x/y");
    ASSERT_EQ(capture.Logs().size(), 1u);
    EXPECT_EQ(capture.Logs()[0].module, "\"Base\"");
    EXPECT_EQ(capture.Logs()[0].level, LOG_LEVEL_WARNING_3);
    EXPECT_EQ(capture.Logs()[0].message,
              "warning: Full-Path is not available in all platform. (\"C:\\x//y\")\n");
}

TEST(GetDirectory, CutsAtTheLastSeparatorOfEitherKind)
{
    EXPECT_EQ(GetDirectory("Data/Tex/a.png"), "Data/Tex");
    EXPECT_EQ(GetDirectory("Data/Tex\\a.png"), "Data/Tex");
    EXPECT_EQ(GetDirectory("Data\\Tex/a.png"), "Data\\Tex");
    EXPECT_EQ(GetDirectory("a.png"), "./");
}

TEST(Split, DefaultDelimitersSkipEmptyTokens)
{
    Tokens tokens{"stale"};
    Split("one, two", &tokens);
    EXPECT_EQ(tokens, (Tokens{"one", "two"}));
    Split("  Hello, world!  How are you?", &tokens);
    EXPECT_EQ(tokens, (Tokens{"Hello", "world", "How", "are", "you"}));
    Split(" ,.; ", &tokens);
    EXPECT_TRUE(tokens.empty());
}

TEST(Split, WithoutSkippingEveryDelimiterCuts)
{
    Tokens tokens;
    Split("one, two", &tokens, nullptr, false);
    EXPECT_EQ(tokens, (Tokens{"one", "", "two"}));
    Split("a||b|", &tokens, "|", false);
    EXPECT_EQ(tokens, (Tokens{"a", "", "b"}));
    Split("x y", &tokens, "", false); // "" means the default set
    EXPECT_EQ(tokens, (Tokens{"x", "y"}));
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
    EXPECT_EQ(std::filesystem::current_path(), previous);
    EXPECT_FALSE(SetCurrentDirectory((dir / "missing").string()));
    ASSERT_TRUE(SetCurrentDirectory(dir.Path().string()));
    EXPECT_EQ(std::filesystem::current_path(), std::filesystem::canonical(dir.Path()));
    ASSERT_TRUE(SetCurrentDirectory(previous.string()));
}
