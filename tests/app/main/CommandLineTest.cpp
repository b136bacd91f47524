// The program's and the tour's command lines, run as processes where they end on their own.

#include "main/commandline.h"
#include "main/lessonlist.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <string>

namespace
{
struct ProcessRun
{
    int exitCode = -1;
    std::string output;
};

ProcessRun RunProcess(const std::string& command)
{
    ProcessRun run;
    std::FILE* pPipe = popen((command + " 2>&1").c_str(), "r");
    if (!pPipe)
    {
        return run;
    }
    char buffer[256];
    while (std::fgets(buffer, sizeof(buffer), pPipe))
    {
        run.output += buffer;
    }
    const int status = pclose(pPipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}
} // namespace

TEST(CommandLine, ProcessesAnswerListHelpVersionAndUnknownLessons)
{
    struct Case
    {
        std::string command;
        int exitCode;
        const char* pExpected;
    };
    const Case cases[] = {
        {LUMIVIA_EXE " --list", 0, "RenderToTexture\nRenderToCubeMap\n"},
        {LUMIVIA_EXE " --help", 0, "usage: lumivia [LESSON]"},
        {LUMIVIA_EXE " --version", 0, "lumivia "},
        {LUMIVIA_EXE " nosuch", 2, "no lesson is named \"nosuch\""},
        {LUMIVIA_EXE " --fast", 2, "unknown option --fast"},
        {LUMIVIA_TOUR_EXE " --help", 0, "usage: lumivia-tour"},
    };
    for (const Case& c : cases)
    {
        const ProcessRun run = RunProcess(c.command);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.command;
        EXPECT_NE(run.output.find(c.pExpected), std::string::npos) << c.command << run.output;
    }
    // --list names every row, and an unknown lesson lists them too.
    for (const char* pArgs : {" --list", " nosuch"})
    {
        const std::string output = RunProcess(LUMIVIA_EXE + std::string(pArgs)).output;
        for (const LessonEntry_t& entry : LESSONS)
        {
            EXPECT_NE(output.find(std::string(entry.m_pName) + "\n"), std::string::npos)
                << pArgs << ": " << entry.m_pName;
        }
    }
}

TEST(CommandLine, ALessonNameInAnyCaseChoosesItsRow)
{
    const char* argv[] = {"lumivia", "lIGHTING"};
    const CommandLine_t command = ParseCommandLine(2, argv, stdout, stderr);
    EXPECT_FALSE(command.m_Exit);
    ASSERT_GE(command.m_LessonIndex, 0);
    EXPECT_STREQ(LESSONS[command.m_LessonIndex].m_pName, "Lighting");
    const char* none[] = {"lumivia"};
    EXPECT_EQ(ParseCommandLine(1, none, stdout, stderr).m_LessonIndex, -1);
}
