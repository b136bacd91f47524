#pragma once
// Channel bookkeeping for an input of N channels: each Update keeps the previous values,
// asks the concrete input to Poll the current ones and accumulates hold times.

#include "common/camera/inputbase.h"

#include "base/source/system/logger.h"

#include <array>

template <int N> class InputCommon : public InputBase
{
public:
    bool IsDown(int channel) const override { return Current(channel) != 0; }
    bool IsPressed(int channel) const override
    {
        return Current(channel) != 0 && Previous(channel) == 0;
    }
    bool IsReleased(int channel) const override
    {
        return Current(channel) == 0 && Previous(channel) != 0;
    }
    float GetHoldTime(int channel) const override
    {
        return IsValid(channel) ? m_HoldTime[channel] : 0.0f;
    }
    int GetValue(int channel) const override { return Current(channel); }
    int GetPrevValue(int channel) const override { return Previous(channel); }

    void Update(float dt) override
    {
        m_Previous = m_Current;
        m_Current.fill(0);
        Poll();
        for (int i = 0; i < N; ++i)
        {
            m_HoldTime[i] = IsDown(i) ? m_HoldTime[i] + dt : 0.0f;
        }
    }

protected:
    // Writes this frame's values into m_Current.
    virtual void Poll() = 0;

    std::array<int, N> m_Previous{};
    std::array<int, N> m_Current{};
    std::array<float, N> m_HoldTime{};

private:
    static bool IsValid(int channel) { return HX_ASSERT(channel >= 0 && channel < N); }
    int Current(int channel) const { return IsValid(channel) ? m_Current[channel] : 0; }
    int Previous(int channel) const { return IsValid(channel) ? m_Previous[channel] : 0; }
};
