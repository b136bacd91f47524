#pragma once
// An input whose next frame's channel values the test sets directly.

#include "common/camera/inputcommon.h"

#include <array>

class ChannelInput : public InputCommon<6>
{
public:
    std::array<int, 6> next{};

protected:
    void Poll() override
    {
        m_Current = next;
        next.fill(0);
    }
};
