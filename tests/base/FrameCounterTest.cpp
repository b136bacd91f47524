#include "base/source/system/framecounter.h"

#include <gtest/gtest.h>

using namespace Halvex::Base;

namespace
{
// A counter in microseconds that the test moves by hand.
struct ManualClock
{
    std::int64_t now = 5'000'000;

    HighResolutionTimer Timer()
    {
        return HighResolutionTimer([this] { return now; }, 1'000'000);
    }
    void AdvanceSeconds(double seconds) { now += static_cast<std::int64_t>(seconds * 1e6); }
};

void TickTimes(FrameCounter& counter, int frames)
{
    for (int i = 0; i < frames; ++i)
    {
        counter.Tick();
    }
}
} // namespace

TEST(FrameCounter, SixtyFramesInOnePointTwoSecondsGiveFifty)
{
    ManualClock clock;
    FrameCounter counter(clock.Timer());
    EXPECT_EQ(counter.GetFPS(), 0.0);
    TickTimes(counter, 60);
    clock.AdvanceSeconds(1.2);
    EXPECT_TRUE(counter.Update());
    EXPECT_DOUBLE_EQ(counter.GetFPS(), 50.0);
    EXPECT_DOUBLE_EQ(counter.GetTime(), 1200.0);
}

TEST(FrameCounter, UpdateAtExactlyTheIntervalDoesNothing)
{
    ManualClock clock;
    FrameCounter counter(clock.Timer());
    TickTimes(counter, 30);
    clock.AdvanceSeconds(1.0);
    EXPECT_FALSE(counter.Update());
    EXPECT_EQ(counter.GetFPS(), 0.0);
    clock.now += 1;
    EXPECT_TRUE(counter.Update());
    EXPECT_NEAR(counter.GetFPS(), 30.0, 1e-4);
}

TEST(FrameCounter, SecondUpdateInTheSameFrameKeepsTheFigure)
{
    ManualClock clock;
    FrameCounter counter(clock.Timer());
    TickTimes(counter, 120);
    clock.AdvanceSeconds(2.0);
    ASSERT_TRUE(counter.Update());
    EXPECT_FALSE(counter.Update());
    EXPECT_DOUBLE_EQ(counter.GetFPS(), 60.0);

    // The next figure counts only the frames since the last update.
    TickTimes(counter, 25);
    clock.AdvanceSeconds(1.25);
    ASSERT_TRUE(counter.Update());
    EXPECT_DOUBLE_EQ(counter.GetFPS(), 20.0);
    counter.Reset();
    EXPECT_EQ(counter.GetFPS(), 0.0);
}
