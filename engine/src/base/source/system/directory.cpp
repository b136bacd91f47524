#include "base/source/system/directory.h"

#include <climits>
#include <unistd.h>

namespace Halvex::Base
{

std::string GetModuleDirectory()
{
    char path[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof(path));
    // A result that fills the buffer may have been cut short.
    if (length <= 0 || static_cast<std::size_t>(length) >= sizeof(path))
    {
        return {};
    }
    const std::string exe(path, static_cast<std::size_t>(length));
    const std::size_t last = exe.find_last_of("/\\");
    return last == std::string::npos ? std::string() : exe.substr(0, last);
}

bool SetCurrentDirectory(const std::string& path)
{
    if (path.empty())
    {
        return false;
    }
    return chdir(path.c_str()) == 0;
}

} // namespace Halvex::Base
