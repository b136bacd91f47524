#include "common/render/shaderlog.h"

#include "rendercore/source/renderdevice/devicediagnostics.h"
#include "rendercore/source/renderdevice/renderdevice.h"

#include <cctype>
#include <sstream>

namespace
{
// Reads the digits at `pos` into *pValue and moves past them; false when there are none.
bool ReadNumber(const std::string& text, std::size_t* pPos, int* pValue)
{
    const std::size_t start = *pPos;
    int value = 0;
    while (*pPos < text.size() && std::isdigit(static_cast<unsigned char>(text[*pPos])) &&
           value < 10000000)
    {
        value = value * 10 + (text[*pPos] - '0');
        ++*pPos;
    }
    *pValue = value;
    return *pPos > start;
}

bool Skip(const std::string& text, std::size_t* pPos, const char* pExpected)
{
    const std::string expected(pExpected);
    if (text.compare(*pPos, expected.size(), expected) != 0)
    {
        return false;
    }
    *pPos += expected.size();
    return true;
}

// The line number at the start of a log line, "0:12(5): " (Mesa) or "0(12) : " (NVIDIA),
// and where the message after it begins; 0 when the line has no position.
int ParsePosition(const std::string& line, std::size_t* pRest)
{
    std::size_t pos = 0;
    int source = 0;
    int number = 0;
    int column = 0;
    if (!ReadNumber(line, &pos, &source))
    {
        return 0;
    }
    const std::size_t afterSource = pos;
    if (Skip(line, &pos, ":") && ReadNumber(line, &pos, &number) && Skip(line, &pos, "(") &&
        ReadNumber(line, &pos, &column) && Skip(line, &pos, "):"))
    {
        *pRest = pos;
        return number;
    }
    pos = afterSource;
    if (Skip(line, &pos, "(") && ReadNumber(line, &pos, &number) && Skip(line, &pos, ") :"))
    {
        *pRest = pos;
        return number;
    }
    return 0;
}
} // namespace

std::string FormatShaderLog(const std::string& fileName, const std::string& log, int maxLines)
{
    std::istringstream lines(log);
    std::string line;
    std::string text;
    int count = 0;
    while (count < maxLines && std::getline(lines, line))
    {
        while (!line.empty() && std::isspace(static_cast<unsigned char>(line.back())))
        {
            line.pop_back();
        }
        if (line.empty())
        {
            continue;
        }
        std::size_t rest = 0;
        const int number = ParsePosition(line, &rest);
        const std::size_t start = line.find_first_not_of(' ', rest);
        text += fileName;
        text += number > 0 ? " line " + std::to_string(number) + ": " : ": ";
        text += line.substr(start == std::string::npos ? line.size() : start);
        text += '\n';
        ++count;
    }
    return text;
}

Halvex::RenderCore::DeviceDiagnostics* GetDiagnostics(Halvex::RenderCore::RenderDevice* pDevice)
{
    return pDevice ? pDevice->GetDiagnostics() : nullptr;
}

void NameNextShader(Halvex::RenderCore::RenderDevice* pDevice, const std::string& fileName)
{
    if (auto* pDiagnostics = GetDiagnostics(pDevice))
    {
        pDiagnostics->SetNextShaderName(fileName.c_str());
    }
}

unsigned GetShaderFailures(Halvex::RenderCore::RenderDevice* pDevice, std::string* pLog)
{
    auto* pDiagnostics = GetDiagnostics(pDevice);
    unsigned failures = 0;
    if (!pDiagnostics || !pDiagnostics->GetLastShaderError(pLog, &failures))
    {
        return 0;
    }
    return failures;
}
