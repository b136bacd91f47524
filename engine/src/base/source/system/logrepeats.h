#pragma once
// Keeps a fault that recurs frame after frame from flooding the log: a line is written the
// first time, and again only after it has been quiet for a while (so a learner who presses
// "R" on the same broken shader a few seconds later sees the message again). The repeats
// it held back are counted and summed up when the program ends.

#include <chrono>
#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

namespace Halvex::Base
{

class LogRepeats
{
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::milliseconds QUIET_PERIOD{1000};
    // Lines remembered at most; later new lines are always written.
    static constexpr std::size_t MAX_LINES = 4096;

    // True when the line should be written now; false when it repeats a line written or
    // held back less than QUIET_PERIOD ago (it is then counted).
    bool Admit(const std::string& line, Clock::time_point now);

    struct Held_t
    {
        std::string m_Line;
        unsigned long long m_Count;
    };
    // The lines with held-back repeats, and how many, in no particular order.
    std::vector<Held_t> GetHeld() const;

private:
    struct Entry
    {
        Clock::time_point m_Last;
        unsigned long long m_Held = 0;
    };
    std::unordered_map<std::string, Entry> m_Lines;
};

} // namespace Halvex::Base
