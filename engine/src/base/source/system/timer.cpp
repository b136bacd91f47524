#include "base/source/system/timer.h"

#include "base/source/system/logger.h"

#include <chrono>

namespace Halvex::Base
{
namespace
{
std::int64_t SteadyClockNanoseconds()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}
} // namespace

HighResolutionTimer::HighResolutionTimer()
    : HighResolutionTimer(SteadyClockNanoseconds, std::nano::den)
{
}

HighResolutionTimer::HighResolutionTimer(Counter counter, std::int64_t frequency)
    : m_Counter(std::move(counter)), m_Frequency(frequency), m_Start(0)
{
    if (!HX_ASSERT(m_Counter && m_Frequency > 0))
    {
        m_Counter = SteadyClockNanoseconds;
        m_Frequency = std::nano::den;
    }
    m_Start = m_Counter();
}

double HighResolutionTimer::GetElapsedMs() const
{
    return static_cast<double>(m_Counter() - m_Start) / static_cast<double>(m_Frequency) * 1000.0;
}

} // namespace Halvex::Base
