#pragma once
// Runs a program as a user would, from a shell command line, and keeps what it said.

#include <string>

struct ProcessResult
{
    int exitCode = -1;
    std::string output; // standard output and standard error together
};

ProcessResult RunCommand(const std::string& command);
