#include "ChannelInput.h"

#include "base/source/system/logger.h"

#include <gtest/gtest.h>

#include <tuple>

// Press, hold and release follow the channel values; a channel outside the set asserts and
// reads zero.
TEST(InputCommon, PressHoldAndReleaseFollowTheChannelValues)
{
    ChannelInput input;
    // Down, pressed, released, value, previous value and hold time of channel 2.
    const auto state = [&input]
    {
        return std::tuple{input.IsDown(2),   input.IsPressed(2),    input.IsReleased(2),
                          input.GetValue(2), input.GetPrevValue(2), input.GetHoldTime(2)};
    };
    input.next[2] = 7;
    input.Update(0.25f);
    EXPECT_EQ(state(), (std::tuple{true, true, false, 7, 0, 0.25f}));
    input.next[2] = 3;
    input.Update(0.5f);
    EXPECT_EQ(state(), (std::tuple{true, false, false, 3, 7, 0.75f}));
    input.Update(0.5f);
    EXPECT_EQ(state(), (std::tuple{false, false, true, 0, 3, 0.0f}));
    EXPECT_FALSE(input.IsDown(1));

    Halvex::Base::DiagnosticCapture capture;
    EXPECT_EQ(input.GetValue(6), 0);
    EXPECT_FALSE(input.IsDown(-1));
    EXPECT_EQ(capture.Asserts().size(), 2u);
    EXPECT_TRUE(capture.Raised("channel >= 0 && channel < N"));
}
