#include "base/source/utility/tokenizer.h"

#include "base/source/system/logger.h"

namespace Halvex::Base
{
namespace
{
const char* OrDefault(const char* delimiters, const char* fallback)
{
    return delimiters && *delimiters ? delimiters : fallback;
}
} // namespace

std::string TrimLeft(const std::string& str, const char* delimiters)
{
    const std::size_t first = str.find_first_not_of(OrDefault(delimiters, TRIM_DELIMITERS));
    return first == std::string::npos ? std::string() : str.substr(first);
}

void Split(const std::string& str, std::vector<std::string>* pTokens, const char* delimiters,
           bool skipEmpty)
{
    if (!HX_ASSERT(pTokens))
    {
        return;
    }
    pTokens->clear();
    const char* set = OrDefault(delimiters, SPLIT_DELIMITERS);
    std::string s = str;
    while (true)
    {
        if (skipEmpty)
        {
            s = TrimLeft(s, set);
        }
        if (s.empty())
        {
            return;
        }
        const std::size_t cut = s.find_first_of(set);
        if (cut == std::string::npos)
        {
            pTokens->push_back(s);
            return;
        }
        pTokens->push_back(s.substr(0, cut));
        s.erase(0, cut + 1);
    }
}

} // namespace Halvex::Base
