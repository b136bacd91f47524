#include "d3d9gl/image/halffloat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace d3d9gl;

TEST(HalfFloatTest, ExactValuesConvertBothWays)
{
    const struct
    {
        uint16_t half;
        float value;
    } cases[] = {{0x0000, 0.0f},
                 {0x8000, -0.0f},
                 {0x3c00, 1.0f},
                 {0xc000, -2.0f},
                 {0x3555, 0.333251953125f},
                 {0x7bff, 65504.0f},
                 {0x0400, 6.103515625e-05f},
                 {0x0001, 5.9604644775390625e-08f},
                 {0x03ff, 6.097555160522461e-05f}};
    for (const auto& c : cases)
    {
        EXPECT_EQ(HalfToFloat(c.half), c.value) << std::hex << c.half;
        EXPECT_EQ(FloatToHalf(c.value), c.half) << c.value;
    }
}

TEST(HalfFloatTest, RoundsToNearestEvenSaturatesToInfinityAndKeepsNan)
{
    // 1 + 2^-11 lies halfway between 1 and the next half; ties go to the even mantissa.
    EXPECT_EQ(FloatToHalf(1.0f + std::ldexp(1.0f, -11)), 0x3c00);
    EXPECT_EQ(FloatToHalf(1.0f + 3 * std::ldexp(1.0f, -11)), 0x3c02);
    EXPECT_EQ(FloatToHalf(1.0f + std::ldexp(1.0f, -11) + std::ldexp(1.0f, -20)), 0x3c01);
    EXPECT_EQ(FloatToHalf(65520.0f), 0x7c00);
    EXPECT_EQ(FloatToHalf(1.0e10f), 0x7c00);
    EXPECT_EQ(FloatToHalf(-1.0e10f), 0xfc00);
    EXPECT_EQ(FloatToHalf(std::ldexp(1.0f, -26)), 0x0000);
    EXPECT_EQ(FloatToHalf(std::ldexp(1.5f, -25)), 0x0001);
    EXPECT_TRUE(std::isnan(HalfToFloat(FloatToHalf(std::numeric_limits<float>::quiet_NaN()))));
}

TEST(HalfFloatTest, EveryHalfSurvivesARoundTrip)
{
    for (uint32_t bits = 0; bits <= 0xffff; ++bits)
    {
        uint16_t half = uint16_t(bits);
        if ((half & 0x7c00) == 0x7c00 && (half & 0x3ff))
            continue; // NaN payloads need not survive
        ASSERT_EQ(FloatToHalf(HalfToFloat(half)), half) << std::hex << bits;
    }
}
