#include "base/source/system/logger.h"

#include "base/source/system/logrepeats.h"

#include <cstdarg>
#include <cstdio>
#include <ctime>
#include <string_view>

namespace Halvex::Base
{
namespace
{
constexpr const char* LEVEL_NAMES[LOG_LEVEL_MAX] = {
    "Trace", "Warning_1", "Warning_2", "Warning_3", "Warning_4", "Error",
};
constexpr const char* PLATFORM_NAMES[] = {
    "GC", "XBOX", "PC", "PSP", "XBOX360", "PS3", "WII", "IOS", "ANDROID",
};
constexpr int PLATFORM_PC = 2;
constexpr size_t MESSAGE_BUFFER = 1024;

int g_Threshold = 0;
DiagnosticCapture* g_pCapture = nullptr;

// Repeats held back from standard error, summed up when the program ends.
struct HeldRepeats
{
    LogRepeats m_Repeats;
    ~HeldRepeats()
    {
        for (const LogRepeats::Held_t& held : m_Repeats.GetHeld())
        {
            fprintf(stderr, "%s (repeated %llu more times)\n", held.m_Line.c_str(), held.m_Count);
        }
    }
};

LogRepeats& Repeats()
{
    static HeldRepeats s_Held;
    return s_Held.m_Repeats;
}
} // namespace

void SetLogThreshold(int level)
{
    g_Threshold = level;
}
int GetLogThreshold()
{
    return g_Threshold;
}

void Log(const char* moduleName, int outputLevel, const char* format, ...)
{
    if (!format || !moduleName || outputLevel < 0 || outputLevel > LOG_LEVEL_ERROR)
    {
        Assert("format && moduleName && outputLevel >= 0 && outputLevel <= LOG_LEVEL_ERROR",
               "src/base/source/system/logger", __LINE__);
        return;
    }
    if (outputLevel < g_Threshold)
    {
        return;
    }
    // vsnprintf cuts a longer message at the buffer's end; it never overflows.
    char message[MESSAGE_BUFFER];
    va_list args;
    va_start(args, format);
    vsnprintf(message, sizeof(message), format, args);
    va_end(args);
    LogOutput(moduleName, outputLevel, message);
}

void LogOutput(const char* moduleName, int outputLevel, const char* text)
{
    if (!moduleName || !text || outputLevel < 0 || outputLevel > LOG_LEVEL_ERROR ||
        outputLevel < g_Threshold)
    {
        return;
    }
    char tag[256];
    snprintf(tag, sizeof(tag), "[%s.%s][%s]", moduleName, PLATFORM_NAMES[PLATFORM_PC],
             LEVEL_NAMES[outputLevel]);
    const std::string line = std::string(tag) + text;
    if (Repeats().Admit(line, LogRepeats::Clock::now()))
    {
        time_t now = time(nullptr);
        tm local{};
        localtime_r(&now, &local);
        fprintf(stderr, "[%02d:%02d:%02d]%s\n", local.tm_hour, local.tm_min, local.tm_sec,
                line.c_str());
    }
    for (DiagnosticCapture* pCapture = g_pCapture; pCapture; pCapture = pCapture->m_pPrevious)
    {
        pCapture->m_Logs.push_back({moduleName, outputLevel, text});
    }
}

std::string SourceFromFile(const char* file)
{
    std::string_view path = file ? file : "";
    size_t start = std::string_view::npos;
    for (std::string_view root : {"src/", "include/"})
    {
        if (path.substr(0, root.size()) == root)
        {
            start = 0;
        }
        std::string rooted = "/" + std::string(root);
        size_t at = path.rfind(rooted);
        if (at != std::string_view::npos && (start == std::string_view::npos || at + 1 > start))
        {
            start = at + 1;
        }
    }
    if (start != std::string_view::npos)
    {
        path.remove_prefix(start);
    }
    size_t dot = path.rfind('.');
    if (dot != std::string_view::npos && path.find('/', dot) == std::string_view::npos)
    {
        path = path.substr(0, dot);
    }
    return std::string(path);
}

void Assert(const char* expression, const char* file, int line)
{
    std::string source = SourceFromFile(file);
    const char* expr = expression ? expression : "";
    for (DiagnosticCapture* pCapture = g_pCapture; pCapture; pCapture = pCapture->m_pPrevious)
    {
        pCapture->m_Asserts.push_back({expr, source, line});
    }
    Log(BASE_MODULE, LOG_LEVEL_ERROR, "Assertion failed: %s (%s:%d)", expr, source.c_str(), line);
}

DiagnosticCapture::DiagnosticCapture() : m_pPrevious(g_pCapture)
{
    g_pCapture = this;
}

DiagnosticCapture::~DiagnosticCapture()
{
    g_pCapture = m_pPrevious;
}

bool DiagnosticCapture::Raised(const std::string& expression) const
{
    for (const AssertRecord& record : m_Asserts)
    {
        if (record.expression == expression)
        {
            return true;
        }
    }
    return false;
}

bool DiagnosticCapture::Logged(const std::string& messagePart) const
{
    for (const LogRecord& record : m_Logs)
    {
        if (record.message.find(messagePart) != std::string::npos)
        {
            return true;
        }
    }
    return false;
}

void DiagnosticCapture::Clear()
{
    m_Asserts.clear();
    m_Logs.clear();
}

} // namespace Halvex::Base
