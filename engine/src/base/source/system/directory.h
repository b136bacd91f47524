#pragma once
// The running program's own folder and the process's working folder.

#include <string>

namespace Halvex::Base
{

// The folder of the running executable (no trailing separator); empty when it cannot be
// found.
std::string GetModuleDirectory();

// Changes the working folder; an empty path changes nothing. False when the change failed.
bool SetCurrentDirectory(const std::string& path);

} // namespace Halvex::Base
