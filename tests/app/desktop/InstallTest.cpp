// An installed tree runs from anywhere: the tour started through the link on the path, from
// an unrelated working directory, finds its data and writes its pictures; the menu entry
// names the installed program and passes the freedesktop validator where it is installed.

#include "ProcessRun.h"
#include "testsupport.h"

#include <gtest/gtest.h>

TEST(Install, TheInstalledTourRunsFromAnotherDirectoryAndTheMenuEntryNamesIt)
{
    const HalvexTest::TempDir prefix;
    const ProcessResult install =
        RunCommand(std::string("'") + CMAKE_COMMAND + "' --install '" + LUMIVIA_BUILD_DIR +
                   "' --prefix '" + prefix.Path().string() + "'");
    ASSERT_EQ(install.exitCode, 0) << install.output;
    const auto isPng = [](const std::filesystem::path& path)
    { return HalvexTest::ReadFile(path).starts_with("\x89PNG\r\n\x1a\n"); };

    HalvexTest::TempDir work;
    const ProcessResult run = RunCommand("cd '" + work.Path().string() + "' && '" +
                                         (prefix / "bin/lumivia-tour").string() +
                                         "' --out shots --frames 2 MatrixTransform");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_TRUE(isPng(work / "shots/start.png")) << run.output;
    EXPECT_TRUE(isPng(work / "shots/MatrixTransform.png")) << run.output;
    EXPECT_EQ(run.output.find("Can not"), std::string::npos) << run.output;

    EXPECT_TRUE(std::filesystem::exists(prefix / "bin/lumivia"));
    EXPECT_TRUE(isPng(prefix / "share/icons/hicolor/256x256/apps/lumivia.png"));
    const std::filesystem::path entry = prefix / "share/applications/lumivia.desktop";
    const std::string text = HalvexTest::ReadFile(entry);
    EXPECT_NE(text.find("\nExec=" + (prefix / "bin/lumivia").string() + "\n"), std::string::npos)
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
