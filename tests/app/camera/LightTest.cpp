#include "common/camera/angle.h"
#include "common/camera/lightrotate.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

using Vector3 = Halvex::MATH::Vector3<float>;

// Placed above and away from its target the light looks down; without speeds it stays there.
TEST(Light, LookAtFromAboveLooksDownAndStaysWithoutSpeeds)
{
    LightRotate light;
    light.SetLookAt({2, 3, -10}, {0, 0, 0});
    EXPECT_EQ((std::tuple{light.GetDistance(), light.GetPitch(), light.GetTypeName()}),
              (std::tuple{std::sqrt(113.0f), std::asin(3.0f / std::sqrt(113.0f)), "Rotate"}));
    EXPECT_GE(light.GetYaw(), 0.0f);
    EXPECT_LT(light.GetYaw(), ANGLE_TWO_PI);
    light.Update(0.5f);
    EXPECT_LT(Halvex::MATH::Length(light.GetPosition() - Vector3(2, 3, -10)), 1e-5f);
}

TEST(Light, PositionOnTheTargetHasNoDirection)
{
    LightRotate light;
    light.SetLookAt({1, 1, 1}, {1, 1, 1});
    EXPECT_EQ(
        (std::tuple{light.GetDirection(), light.GetDistance(), light.GetPitch(), light.GetYaw()}),
        (std::tuple{Vector3(), 0.0f, 0.0f, 0.0f}));
    light.SetSpeed(1.0f, 1.0f);
    light.Update(0.3f);
    EXPECT_EQ(light.GetPosition(), Vector3(1, 1, 1));
}
