// An installed tree runs from anywhere: the tour started through the link on the path, from
// an unrelated working directory, finds its data and writes its pictures; the menu entry
// names the installed program and passes the freedesktop validator where it is installed.

#include "ProcessRun.h"
#include "testsupport.h"

#include <gtest/gtest.h>

namespace
{

class Install : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_pPrefix = new HalvexTest::TempDir();
        s_Install =
            RunCommand(std::string("'") + CMAKE_COMMAND + "' --install '" + LUMIVIA_BUILD_DIR +
                       "' --prefix '" + s_pPrefix->Path().string() + "'");
    }
    static void TearDownTestSuite()
    {
        delete s_pPrefix;
        s_pPrefix = nullptr;
    }
    void SetUp() override { ASSERT_EQ(s_Install.exitCode, 0) << s_Install.output; }

    static std::filesystem::path Prefix() { return s_pPrefix->Path(); }

    static inline HalvexTest::TempDir* s_pPrefix = nullptr;
    static inline ProcessResult s_Install;
};

bool IsPng(const std::filesystem::path& path)
{
    return HalvexTest::ReadFile(path).starts_with("\x89PNG\r\n\x1a\n");
}

TEST_F(Install, TheInstalledTourRunsFromAnotherDirectory)
{
    HalvexTest::TempDir work;
    const ProcessResult run = RunCommand("cd '" + work.Path().string() + "' && '" +
                                         (Prefix() / "bin/lumivia-tour").string() +
                                         "' --out shots --frames 2 MatrixTransform");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_TRUE(IsPng(work / "shots/start.png")) << run.output;
    EXPECT_TRUE(IsPng(work / "shots/MatrixTransform.png")) << run.output;
    EXPECT_EQ(run.output.find("Can not"), std::string::npos) << run.output;
}

TEST_F(Install, TheMenuEntryNamesTheInstalledProgramAndItsIcon)
{
    EXPECT_TRUE(std::filesystem::exists(Prefix() / "bin/lumivia"));
    EXPECT_TRUE(IsPng(Prefix() / "share/icons/hicolor/256x256/apps/lumivia.png"));
    const std::filesystem::path entry = Prefix() / "share/applications/lumivia.desktop";
    const std::string text = HalvexTest::ReadFile(entry);
    EXPECT_NE(text.find("\nExec=" + (Prefix() / "bin/lumivia").string() + "\n"), std::string::npos)
        << text;
    EXPECT_NE(text.find("\nIcon=lumivia\n"), std::string::npos) << text;

    if (RunCommand("command -v desktop-file-validate").exitCode != 0)
    {
        GTEST_SKIP() << "desktop-file-validate is not installed";
    }
    const ProcessResult check = RunCommand("desktop-file-validate '" + entry.string() + "'");
    EXPECT_EQ(check.exitCode, 0) << check.output;
    EXPECT_EQ(check.output, "");
}

} // namespace
