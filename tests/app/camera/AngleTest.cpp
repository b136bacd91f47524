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
    EXPECT_FLOAT_EQ(SafeAsin(0.5f), 0.52359879f);
    EXPECT_FLOAT_EQ(SafeAcos(1.0001f), 0.0f);
    EXPECT_FLOAT_EQ(SafeAcos(-1.0f), ANGLE_PI);
    EXPECT_FLOAT_EQ(SafeAcos(0.0f), ANGLE_HALF_PI);
}

TEST(Angle, ClampKeepsAnglesInsideTheArcWrapped)
{
    EXPECT_FLOAT_EQ(ClampAngle(DEG * 30.0f, -DEG * 80.0f, DEG * 80.0f), DEG * 30.0f);
    // A pitch of -10 degrees comes back as 350 degrees.
    EXPECT_FLOAT_EQ(ClampAngle(-DEG * 10.0f, -DEG * 80.0f, DEG * 80.0f), DEG * 350.0f);
}

TEST(Angle, ClampSnapsToTheNearerLimitAcrossTheGap)
{
    const float min = -DEG * 80.0f;
    const float max = DEG * 80.0f;
    EXPECT_FLOAT_EQ(ClampAngle(DEG * 100.0f, min, max), max);
    // The gap runs from 80 to 280 degrees; its middle is 180.
    EXPECT_FLOAT_EQ(ClampAngle(DEG * 179.0f, min, max), max);
    EXPECT_FLOAT_EQ(ClampAngle(DEG * 181.0f, min, max), min);
    EXPECT_FLOAT_EQ(ClampAngle(-DEG * 100.0f, min, max), min);
}
