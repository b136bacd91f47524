#include "ChannelInput.h"

#include "base/source/system/logger.h"

#include <gtest/gtest.h>

TEST(InputCommon, PressHoldAndReleaseFollowTheChannelValues)
{
    ChannelInput input;
    input.next[2] = 7;
    input.Update(0.25f);
    EXPECT_TRUE(input.IsDown(2));
    EXPECT_TRUE(input.IsPressed(2));
    EXPECT_FALSE(input.IsReleased(2));
    EXPECT_EQ(input.GetValue(2), 7);
    EXPECT_FLOAT_EQ(input.GetHoldTime(2), 0.25f);

    input.next[2] = 3;
    input.Update(0.5f);
    EXPECT_FALSE(input.IsPressed(2));
    EXPECT_EQ(input.GetPrevValue(2), 7);
    EXPECT_FLOAT_EQ(input.GetHoldTime(2), 0.75f);

    input.Update(0.5f);
    EXPECT_FALSE(input.IsDown(2));
    EXPECT_TRUE(input.IsReleased(2));
    EXPECT_FLOAT_EQ(input.GetHoldTime(2), 0.0f);
    EXPECT_FALSE(input.IsDown(1));
}

TEST(InputCommon, ChannelOutsideTheSetAssertsAndReadsZero)
{
    Halvex::Base::DiagnosticCapture capture;
    ChannelInput input;
    input.next[0] = 1;
    input.Update(0.1f);
    EXPECT_EQ(input.GetValue(6), 0);
    EXPECT_FALSE(input.IsDown(-1));
    EXPECT_EQ(capture.Asserts().size(), 2u);
    EXPECT_TRUE(capture.Raised("channel >= 0 && channel < N"));
}
