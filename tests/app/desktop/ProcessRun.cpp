#include "ProcessRun.h"

#include <array>
#include <cstdio>
#include <sys/wait.h>

ProcessResult RunCommand(const std::string& command)
{
    ProcessResult result;
    FILE* pPipe = popen((command + " 2>&1").c_str(), "r");
    if (!pPipe)
    {
        return result;
    }
    std::array<char, 4096> buffer{};
    size_t read = 0;
    while ((read = fread(buffer.data(), 1, buffer.size(), pPipe)) > 0)
    {
        result.output.append(buffer.data(), read);
    }
    const int status = pclose(pPipe);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}
