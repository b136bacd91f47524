#include "main/commandline.h"

#include "main/lessonlist.h"

#include <cstring>

namespace
{
constexpr const char* USAGE = "usage: lumivia [LESSON] [--list] [--help] [--version]\n"
                              "  LESSON     start in this lesson (its name in the list, any case)\n"
                              "  --list     print the names of the lessons\n"
                              "  --help     print this help\n"
                              "  --version  print the program's version\n";

void PrintNames(std::FILE* pFile)
{
    for (const LessonEntry_t& entry : LESSONS)
    {
        std::fprintf(pFile, "%s\n", entry.m_pName);
    }
}

CommandLine_t Exit(int code)
{
    CommandLine_t result;
    result.m_Exit = true;
    result.m_ExitCode = code;
    return result;
}
} // namespace

CommandLine_t ParseCommandLine(int argc, const char* const* argv, std::FILE* pOut, std::FILE* pErr)
{
    CommandLine_t result;
    for (int i = 1; i < argc; ++i)
    {
        const char* pArg = argv[i];
        if (std::strcmp(pArg, "--help") == 0 || std::strcmp(pArg, "-h") == 0)
        {
            std::fputs(USAGE, pOut);
            return Exit(0);
        }
        if (std::strcmp(pArg, "--list") == 0)
        {
            PrintNames(pOut);
            return Exit(0);
        }
        if (std::strcmp(pArg, "--version") == 0)
        {
            std::fprintf(pOut, "lumivia %s\n", LUMIVIA_VERSION);
            return Exit(0);
        }
        if (pArg[0] == '-')
        {
            std::fprintf(pErr, "lumivia: unknown option %s\n%s", pArg, USAGE);
            return Exit(2);
        }
        result.m_LessonIndex = FindLessonRow(pArg);
        if (result.m_LessonIndex < 0)
        {
            std::fprintf(pErr, "lumivia: no lesson is named \"%s\"; the lessons are:\n", pArg);
            PrintNames(pErr);
            return Exit(2);
        }
    }
    return result;
}
