#include "base/source/utility/path.h"

#include "base/source/system/logger.h"

#include <algorithm>

namespace Halvex::Base
{
namespace
{
constexpr std::size_t MAX_PATH_CHARS = 4095;

bool IsSeparator(char c)
{
    return c == '/' || c == '\\';
}
} // namespace

std::string NormalizePath(const std::string& path)
{
    if (path.find(':') != std::string::npos)
    {
        Log(BASE_MODULE, LOG_LEVEL_WARNING_3,
            "warning: Full-Path is not available in all platform. (\"%s\")\n", path.c_str());
    }
    std::string result;
    result.reserve(std::min(path.size(), MAX_PATH_CHARS));
    for (std::size_t i = 0; i < path.size() && i < MAX_PATH_CHARS; ++i)
    {
        if (!IsSeparator(path[i]))
        {
            result += path[i];
        }
        else if (result.empty() || result.back() != '/')
        {
            result += '/';
        }
    }
    return result;
}

std::string GetDirectory(const std::string& path)
{
    const std::size_t last = path.find_last_of("/\\");
    if (last == std::string::npos)
    {
        return "./";
    }
    return path.substr(0, last);
}

} // namespace Halvex::Base
