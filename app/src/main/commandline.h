#pragma once
// The program's command line: lumivia [LESSON] [--list] [--help] [--version]

#include <cstdio>

struct CommandLine_t
{
    // The list row of the lesson to start in; -1 for the start screen.
    int m_LessonIndex = -1;
    // Set when the program ends without opening its window, with this exit code.
    bool m_Exit = false;
    int m_ExitCode = 0;
};

// Writes what --list, --help and --version ask for to `pOut`, and errors (an unknown
// lesson, with the lesson names; an unknown option, with the usage) to `pErr`, exit code 2.
CommandLine_t ParseCommandLine(int argc, const char* const* argv, std::FILE* pOut, std::FILE* pErr);
