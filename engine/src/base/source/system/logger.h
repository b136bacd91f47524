#pragma once
// Leveled logger and the engine's assertion handler.
//
// Module code logs and asserts in pairs: a failure is first logged with a readable
// message, then asserted with the failed expression. The handler reports and returns;
// the caller always goes on (usually by returning false).

#include <string>
#include <vector>

namespace Halvex::Base
{

enum LogLevel
{
    LOG_LEVEL_TRACE = 0,
    LOG_LEVEL_WARNING_1 = 1,
    LOG_LEVEL_WARNING_2 = 2,
    LOG_LEVEL_WARNING_3 = 3,
    LOG_LEVEL_WARNING_4 = 4,
    LOG_LEVEL_ERROR = 5,
    LOG_LEVEL_MAX
};

// Module name of the base library: the word Base in double quotes.
inline constexpr const char* BASE_MODULE = "\"Base\"";

void Log(const char* moduleName, int outputLevel, const char* format, ...)
    __attribute__((format(printf, 3, 4)));
void LogOutput(const char* moduleName, int outputLevel, const char* text);

void SetLogThreshold(int level);
int GetLogThreshold();

// Reports the failed expression with its source and line at error level, then returns.
void Assert(const char* expression, const char* file, int line);

// The source of __FILE__ as assertions report it: the path from its src/ or include/
// folder on, without extension ("src/base/source/system/logger").
std::string SourceFromFile(const char* file);

// Raises the assertion for `ok == false` and passes `ok` through, so callers can write
// `if (!HX_ASSERT(p)) return false;`.
inline bool Check(bool ok, const char* expression, const char* file, int line)
{
    if (!ok)
    {
        Assert(expression, file, line);
    }
    return ok;
}

// Captures what is raised or logged while it lives (for tests). Captures nest: the
// innermost one records every line; standard error gets each line too, except repeats
// of a line within a second of its last occurrence (counted, and summed up at exit).
struct AssertRecord
{
    std::string expression;
    std::string source;
    int line = 0;
};

struct LogRecord
{
    std::string module;
    int level = 0;
    std::string message;
};

class DiagnosticCapture
{
public:
    DiagnosticCapture();
    ~DiagnosticCapture();
    DiagnosticCapture(const DiagnosticCapture&) = delete;
    DiagnosticCapture& operator=(const DiagnosticCapture&) = delete;

    const std::vector<AssertRecord>& Asserts() const { return m_Asserts; }
    const std::vector<LogRecord>& Logs() const { return m_Logs; }
    bool Raised(const std::string& expression) const;
    bool Logged(const std::string& messagePart) const;
    void Clear();

private:
    friend void Assert(const char*, const char*, int);
    friend void LogOutput(const char*, int, const char*);
    std::vector<AssertRecord> m_Asserts;
    std::vector<LogRecord> m_Logs;
    DiagnosticCapture* m_pPrevious;
};

} // namespace Halvex::Base

#define HX_ASSERT(expr) ::Halvex::Base::Check(static_cast<bool>(expr), #expr, __FILE__, __LINE__)
// Raises an assertion unconditionally with the given text (`HX_RAISE("!\"Param Error\"")`).
#define HX_RAISE(text) ::Halvex::Base::Assert(text, __FILE__, __LINE__)
