#pragma once
// Path helpers. The separator is '/'; '\\' is accepted on input.

#include <string>

namespace Halvex::Base
{

// Turns every run of '/' and '\\' into one '/'. ".." stays as written. A path with ':'
// (a drive or device) logs a warning: full paths do not work on every platform. At most
// the first 4095 characters are kept.
std::string NormalizePath(const std::string& path);

// The part before the last '/' or '\\'; "./" when there is neither.
std::string GetDirectory(const std::string& path);

} // namespace Halvex::Base
