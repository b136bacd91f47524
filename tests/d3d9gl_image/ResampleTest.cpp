#include "d3d9gl/image/resample.h"

#include <gtest/gtest.h>

#include <numeric>

using namespace d3d9gl;

namespace
{

// An image whose red channel holds the given values and whose other channels are constant,
// so each result names the source texels it mixed.
std::vector<float> Ramp(const std::vector<float>& values)
{
    std::vector<float> rgba;
    for (float v : values)
        rgba.insert(rgba.end(), {v, 0.5f, 0.0f, 1.0f});
    return rgba;
}

std::vector<float> Red(const std::vector<float>& rgba)
{
    std::vector<float> red;
    for (size_t i = 0; i < rgba.size(); i += 4)
    {
        red.push_back(rgba[i]);
        EXPECT_FLOAT_EQ(rgba[i + 1], 0.5f);
        EXPECT_FLOAT_EQ(rgba[i + 3], 1.0f);
    }
    return red;
}

void ExpectValues(const std::vector<float>& actual, const std::vector<float>& expected)
{
    ASSERT_EQ(actual.size(), expected.size());
    for (size_t i = 0; i < actual.size(); ++i)
        EXPECT_NEAR(actual[i], expected[i], 1e-5f) << i;
}

} // namespace

TEST(ResampleTest, BoxFilterAveragesEachTwoByTwoFootprint)
{
    std::vector<float> dst;
    BoxFilterDown(Ramp({1, 2, 10, 20, 3, 4, 30, 40}).data(), 4, 2, 1, dst);
    ExpectValues(Red(dst), {2.5f, 25.0f});
}

TEST(ResampleTest, BoxFilterWeighsOddSizesByCoverage)
{
    std::vector<float> dst;
    BoxFilterDown(Ramp({0, 1, 2, 3, 4}).data(), 5, 1, 1, dst);
    ExpectValues(Red(dst), {0.8f, 3.2f});

    BoxFilterDown(Ramp({3, 6, 12}).data(), 3, 1, 1, dst);
    ExpectValues(Red(dst), {7.0f});

    // A one-texel-wide column keeps its width and halves its height.
    BoxFilterDown(Ramp({0, 1, 2, 3, 4}).data(), 1, 5, 1, dst);
    ExpectValues(Red(dst), {0.8f, 3.2f});
}

TEST(ResampleTest, MipChainOfOddSizesKeepsTheMean)
{
    std::vector<float> values(7 * 3);
    std::iota(values.begin(), values.end(), 0.0f);
    values[4] = 100.0f;
    const float mean = std::accumulate(values.begin(), values.end(), 0.0f) / values.size();
    std::vector<float> level = Ramp(values);
    UINT width = 7, height = 3;
    while (width > 1 || height > 1)
    {
        std::vector<float> next;
        BoxFilterDown(level.data(), width, height, 1, next);
        width = std::max(1u, width / 2);
        height = std::max(1u, height / 2);
        ASSERT_EQ(next.size(), size_t(width) * height * 4);
        level.swap(next);
    }
    ExpectValues(Red(level), {mean});
}

TEST(ResampleTest, VolumeLevelsHalveDepthToo)
{
    std::vector<float> values(2 * 2 * 4);
    std::iota(values.begin(), values.end(), 0.0f);
    std::vector<float> dst;
    BoxFilterDown(Ramp(values).data(), 2, 2, 4, dst);
    // Slices 0-1 hold 0..7, slices 2-3 hold 8..15.
    ExpectValues(Red(dst), {3.5f, 11.5f});
}

TEST(ResampleTest, PointFilterPicksTheNearestTexel)
{
    std::vector<float> dst;
    Resample(Ramp({1, 2, 3, 4}).data(), 2, 2, 4, 2, RESAMPLE_POINT, dst);
    ExpectValues(Red(dst), {1, 1, 2, 2, 3, 3, 4, 4});
    Resample(Ramp({1, 2, 3, 4, 5, 6}).data(), 6, 1, 3, 1, RESAMPLE_POINT, dst);
    ExpectValues(Red(dst), {2, 4, 6});
}

TEST(ResampleTest, LinearFilterInterpolatesBetweenTexelCentres)
{
    std::vector<float> dst;
    Resample(Ramp({0, 1}).data(), 2, 1, 4, 1, RESAMPLE_LINEAR, dst);
    ExpectValues(Red(dst), {0.0f, 0.25f, 0.75f, 1.0f});
    Resample(Ramp({0, 1, 2, 3}).data(), 4, 1, 2, 1, RESAMPLE_LINEAR, dst);
    ExpectValues(Red(dst), {0.5f, 2.5f});
    Resample(Ramp({0, 4, 8, 12}).data(), 2, 2, 1, 1, RESAMPLE_LINEAR, dst);
    ExpectValues(Red(dst), {6.0f});
}

TEST(ResampleTest, SameSizeIsACopyAndZeroSizeIsEmpty)
{
    const std::vector<float> source = Ramp({1, 5, 9, 13, 17, 21});
    for (ResampleFilter filter : {RESAMPLE_POINT, RESAMPLE_LINEAR, RESAMPLE_BOX})
    {
        std::vector<float> dst;
        Resample(source.data(), 3, 2, 3, 2, filter, dst);
        EXPECT_EQ(dst, source);
        Resample(source.data(), 3, 2, 0, 2, filter, dst);
        EXPECT_TRUE(dst.empty());
    }
}

TEST(ResampleTest, BoxFilterScalesToAnySize)
{
    std::vector<float> dst;
    Resample(Ramp({0, 1, 2, 3, 4, 5}).data(), 6, 1, 4, 1, RESAMPLE_BOX, dst);
    // Each destination texel covers 1.5 source texels.
    ExpectValues(Red(dst), {1.0f / 3.0f, 5.0f / 3.0f, 10.0f / 3.0f, 14.0f / 3.0f});
}
