#pragma once
// String trimming and splitting for configuration and data text.

#include <string>
#include <vector>

namespace Halvex::Base
{

inline constexpr const char* TRIM_DELIMITERS = " \t\r\n";
inline constexpr const char* SPLIT_DELIMITERS = " \t,.!?;'\"";

// Drops the leading characters found in `delimiters` (null or "" means TRIM_DELIMITERS).
std::string TrimLeft(const std::string& str, const char* delimiters = TRIM_DELIMITERS);

// Cuts `str` at every character found in `delimiters` (null or "" means SPLIT_DELIMITERS).
// With skipEmpty, runs of delimiters count as one and leading ones are dropped; without it,
// two delimiters in a row give an empty token.
void Split(const std::string& str, std::vector<std::string>* pTokens,
           const char* delimiters = SPLIT_DELIMITERS, bool skipEmpty = true);

} // namespace Halvex::Base
