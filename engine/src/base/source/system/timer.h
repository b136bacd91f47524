#pragma once
// A monotonic high-resolution timer that starts when it is made. Its counter can be
// replaced, so that code which reads time can be driven step by step.

#include <cstdint>
#include <functional>

namespace Halvex::Base
{

class HighResolutionTimer
{
public:
    // Reads the current counter value; `frequency` counts make one second.
    using Counter = std::function<std::int64_t()>;

    // std::chrono::steady_clock in nanoseconds.
    HighResolutionTimer();
    HighResolutionTimer(Counter counter, std::int64_t frequency);

    // Milliseconds since construction.
    double GetElapsedMs() const;

private:
    Counter m_Counter;
    std::int64_t m_Frequency;
    std::int64_t m_Start;
};

} // namespace Halvex::Base
