#include "common/camera/angle.h"
#include "common/camera/lightrotate.h"

#include <gtest/gtest.h>

#include <cmath>

using Vector3 = Halvex::MATH::Vector3<float>;

TEST(Light, LookAtFromAboveLooksDown)
{
    LightRotate light;
    light.SetLookAt({2, 3, -10}, {0, 0, 0});
    EXPECT_FLOAT_EQ(light.GetDistance(), std::sqrt(113.0f));
    EXPECT_FLOAT_EQ(light.GetPitch(), std::asin(3.0f / std::sqrt(113.0f)));
    EXPECT_GE(light.GetYaw(), 0.0f);
    EXPECT_LT(light.GetYaw(), ANGLE_TWO_PI);
    EXPECT_EQ(light.GetTypeName(), "Rotate");
}

TEST(Light, OrbitTakesTwoPiSecondsAtConstantHeightAndDistance)
{
    LightRotate light;
    const Vector3 target{1, 0, 2};
    const Vector3 start{4, 3, 6};
    light.SetLookAt(start, target);
    light.SetSpeed(1.0f, 0.0f);
    const int steps = 1000;
    const float dt = ANGLE_TWO_PI / steps;
    float travelled = 0.0f;
    Vector3 previous = start;
    for (int i = 0; i < steps; ++i)
    {
        light.Update(dt);
        const Vector3 p = light.GetPosition();
        EXPECT_NEAR(p.y, 3.0f, 1e-4f);
        EXPECT_NEAR(Halvex::MATH::Length(p - target), std::sqrt(34.0f), 1e-4f);
        travelled += Halvex::MATH::Length(p - previous);
        previous = p;
    }
    EXPECT_NEAR(previous.x, start.x, 1e-3f);
    EXPECT_NEAR(previous.z, start.z, 1e-3f);
    // Once round the horizontal circle of radius 5, not several times.
    EXPECT_NEAR(travelled, ANGLE_TWO_PI * 5.0f, 1e-2f);
}

TEST(Light, WithoutSpeedsStaysWhereItWasPlaced)
{
    LightRotate light;
    light.SetLookAt({2, 3, -10}, {0, 0, 0});
    light.Update(0.5f);
    EXPECT_NEAR(light.GetPosition().x, 2.0f, 1e-5f);
    EXPECT_NEAR(light.GetPosition().y, 3.0f, 1e-5f);
    EXPECT_NEAR(light.GetPosition().z, -10.0f, 1e-5f);
}

TEST(Light, PositionOnTheTargetHasNoDirection)
{
    LightRotate light;
    light.SetLookAt({1, 1, 1}, {1, 1, 1});
    EXPECT_EQ(light.GetDirection(), Vector3());
    EXPECT_EQ(light.GetDistance(), 0.0f);
    EXPECT_EQ(light.GetPitch(), 0.0f);
    EXPECT_EQ(light.GetYaw(), 0.0f);
    light.SetSpeed(1.0f, 1.0f);
    light.Update(0.3f);
    EXPECT_EQ(light.GetPosition(), Vector3(1, 1, 1));
}
