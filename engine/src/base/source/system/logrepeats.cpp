#include "base/source/system/logrepeats.h"

namespace Halvex::Base
{

bool LogRepeats::Admit(const std::string& line, Clock::time_point now)
{
    const auto it = m_Lines.find(line);
    if (it == m_Lines.end())
    {
        if (m_Lines.size() < MAX_LINES)
        {
            m_Lines.emplace(line, Entry{now, 0});
        }
        return true;
    }
    Entry& entry = it->second;
    const bool quiet = now - entry.m_Last >= QUIET_PERIOD;
    entry.m_Last = now;
    if (!quiet)
    {
        ++entry.m_Held;
    }
    return quiet;
}

std::vector<LogRepeats::Held_t> LogRepeats::GetHeld() const
{
    std::vector<Held_t> held;
    for (const auto& [line, entry] : m_Lines)
    {
        if (entry.m_Held > 0)
        {
            held.push_back({line, entry.m_Held});
        }
    }
    return held;
}

} // namespace Halvex::Base
