#include "base/source/system/framecounter.h"

#include <gtest/gtest.h>

using namespace Halvex::Base;

TEST(FrameCounter, FigureIsFramesOverSecondsSinceTheLastUpdateOnceMoreThanASecondPassed)
{
    std::int64_t nowUs = 5'000'000;
    FrameCounter counter(HighResolutionTimer([&] { return nowUs; }, 1'000'000));
    const auto run = [&](int frames, std::int64_t us)
    {
        for (int i = 0; i < frames; ++i)
        {
            counter.Tick();
        }
        nowUs += us;
        return counter.Update();
    };
    EXPECT_EQ(counter.GetFPS(), 0.0);
    EXPECT_FALSE(run(30, 1'000'000)) << "exactly the interval is not enough";
    EXPECT_EQ(counter.GetFPS(), 0.0);
    EXPECT_TRUE(run(30, 200'000));
    EXPECT_DOUBLE_EQ(counter.GetFPS(), 50.0);
    EXPECT_DOUBLE_EQ(counter.GetTime(), 1200.0);
    EXPECT_FALSE(counter.Update()) << "a second update in the same frame";
    EXPECT_DOUBLE_EQ(counter.GetFPS(), 50.0);
    EXPECT_TRUE(run(25, 1'250'000));
    EXPECT_DOUBLE_EQ(counter.GetFPS(), 20.0);
    counter.Reset();
    EXPECT_EQ(counter.GetFPS(), 0.0);
}
