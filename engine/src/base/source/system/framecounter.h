#pragma once
// Counts rendered frames and turns the count into frames per second once per interval.

#include "base/source/system/timer.h"

#include <cstdint>

namespace Halvex::Base
{

class FrameCounter
{
public:
    FrameCounter();
    // Reads time from `timer` instead of the steady clock.
    explicit FrameCounter(HighResolutionTimer timer);
    virtual ~FrameCounter() = default;

    // Restarts the count; the timer keeps running.
    virtual void Reset();

    void Tick() { ++m_FrameCount; }
    // Recomputes the figure once more than the interval has passed since the last update;
    // true when it did.
    bool Update();
    double GetFPS() const { return m_FPS; }
    // Milliseconds since construction.
    double GetTime() const { return m_Timer.GetElapsedMs(); }

private:
    std::uint32_t m_FrameCount = 0;
    double m_FPS = 0.0;
    std::uint32_t m_LastFrameCount = 0;
    double m_LastUpdateTime = 0.0;
    double m_UpdateInterval = 1.0;
    HighResolutionTimer m_Timer;
};

} // namespace Halvex::Base
