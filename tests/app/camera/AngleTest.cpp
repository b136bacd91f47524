#include "common/camera/angle.h"

#include <gtest/gtest.h>

namespace
{
constexpr float DEG = DEGREE_TO_RADIAN;
}

TEST(Angle, WrapMovesEveryAngleIntoOneTurn)
{
    EXPECT_FLOAT_EQ(WrapAngle(-DEG * 10.0f), DEG * 350.0f);
    EXPECT_FLOAT_EQ(WrapAngle(ANGLE_TWO_PI + 1.0f), 1.0f);
    EXPECT_FLOAT_EQ(WrapAngle(0.5f), 0.5f);
    EXPECT_FLOAT_EQ(WrapAngle(ANGLE_TWO_PI), 0.0f);
    // r + 2 pi would round up to 2 pi itself.
    EXPECT_EQ(WrapAngle(-1e-8f), 0.0f);
}

TEST(Angle, SafeInverseFunctionsAnswerRangeEndsOutsideUnitInterval)
{
    EXPECT_FLOAT_EQ(SafeAsin(1.0001f), ANGLE_HALF_PI);
    EXPECT_FLOAT_EQ(SafeAsin(-3.0f), -ANGLE_HALF_PI);
    EXPECT_FLOAT_EQ(SafeAcos(1.0001f), 0.0f);
}
