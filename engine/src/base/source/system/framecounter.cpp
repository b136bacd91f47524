#include "base/source/system/framecounter.h"

#include <utility>

namespace Halvex::Base
{

FrameCounter::FrameCounter() : FrameCounter(HighResolutionTimer()) {}

FrameCounter::FrameCounter(HighResolutionTimer timer) : m_Timer(std::move(timer))
{
    // Not virtual dispatch here: a derived counter is not built yet.
    FrameCounter::Reset();
}

void FrameCounter::Reset()
{
    m_FrameCount = 0;
    m_FPS = 0.0;
    m_LastFrameCount = 0;
    m_LastUpdateTime = 0.0;
}

bool FrameCounter::Update()
{
    const double now = m_Timer.GetElapsedMs() / 1000.0;
    const double elapsed = now - m_LastUpdateTime;
    if (!(elapsed > m_UpdateInterval))
    {
        return false;
    }
    // Unsigned difference: right across a wrap of the 32-bit count.
    m_FPS = static_cast<double>(m_FrameCount - m_LastFrameCount) / elapsed;
    m_LastUpdateTime = now;
    m_LastFrameCount = m_FrameCount;
    return true;
}

} // namespace Halvex::Base
