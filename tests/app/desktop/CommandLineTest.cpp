// The program's and the tour's command lines, run as processes where they end on their own.

#include "ProcessRun.h"

#include "main/commandline.h"
#include "main/lessonlist.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>

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
        const ProcessResult run = RunCommand(c.command);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.command;
        EXPECT_NE(run.output.find(c.pExpected), std::string::npos) << c.command << run.output;
    }
    // --list names every row, and an unknown lesson lists them too.
    for (const char* pArgs : {" --list", " nosuch"})
    {
        const std::string output = RunCommand(LUMIVIA_EXE + std::string(pArgs)).output;
        for (const LessonEntry_t& entry : LESSONS)
        {
            EXPECT_NE(output.find(std::string(entry.m_pName) + "\n"), std::string::npos)
                << pArgs << ": " << entry.m_pName;
        }
    }
}

TEST(CommandLine, ALessonNamedOnTheCommandLineIsTheFirstToRun)
{
    // The program runs until it is told to end: read its log up to the first lesson it
    // runs, then end it as a window manager would (SDL turns SIGTERM into a quit). The shell
    // names its process, which the program then takes over.
    std::FILE* pLog =
        popen("SDL_VIDEODRIVER=offscreen sh -c 'echo $$; exec " LUMIVIA_EXE " lighting 2>&1'", "r");
    ASSERT_NE(pLog, nullptr);
    pid_t pid = 0;
    ASSERT_EQ(std::fscanf(pLog, "%d\n", &pid), 1);
    std::string firstLesson;
    char line[512];
    while (firstLesson.empty() && std::fgets(line, sizeof(line), pLog))
    {
        const std::string text(line);
        const std::size_t at = text.find("Running the lesson ");
        firstLesson = at == std::string::npos ? "" : text.substr(at + 19);
    }
    kill(pid, SIGTERM);
    while (std::fgets(line, sizeof(line), pLog))
    {
    }
    const int status = pclose(pLog);
    EXPECT_EQ(firstLesson, "Lighting\n");
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}

TEST(CommandLine, WithoutALessonNoRowIsChosen)
{
    const char* none[] = {"lumivia"};
    EXPECT_EQ(ParseCommandLine(1, none, stdout, stderr).m_LessonIndex, -1);
}
