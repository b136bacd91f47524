#include "common/camera/lightrotate.h"

#include <gtest/gtest.h>

#include <tuple>

using Vector3 = Halvex::MATH::Vector3<float>;

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
