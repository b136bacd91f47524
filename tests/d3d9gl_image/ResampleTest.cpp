#include "d3d9gl/image/resample.h"

#include <gtest/gtest.h>

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

TEST(ResampleTest, FiltersMixTheExpectedSourceTexels)
{
    const struct
    {
        const char* name;
        ResampleFilter filter;
        std::vector<float> source;
        UINT width, height, newWidth, newHeight;
        std::vector<float> expected;
    } cases[] = {
        {"point, up", RESAMPLE_POINT, {1, 2, 3, 4}, 2, 2, 4, 2, {1, 1, 2, 2, 3, 3, 4, 4}},
        {"point, down", RESAMPLE_POINT, {1, 2, 3, 4, 5, 6}, 6, 1, 3, 1, {2, 4, 6}},
        {"linear, up", RESAMPLE_LINEAR, {0, 1}, 2, 1, 4, 1, {0.0f, 0.25f, 0.75f, 1.0f}},
        {"linear, down", RESAMPLE_LINEAR, {0, 1, 2, 3}, 4, 1, 2, 1, {0.5f, 2.5f}},
        {"linear, 2x2 to 1", RESAMPLE_LINEAR, {0, 4, 8, 12}, 2, 2, 1, 1, {6.0f}},
        // Each destination texel covers 1.5 source texels.
        {"box, 6 to 4", RESAMPLE_BOX, {0, 3, 6, 9, 12, 15}, 6, 1, 4, 1, {1, 5, 10, 14}},
        {"box, same size", RESAMPLE_BOX, {1, 5, 9, 13, 17, 21}, 3, 2, 3, 2, {1, 5, 9, 13, 17, 21}},
        {"point, same size", RESAMPLE_POINT, {1, 5, 9, 13}, 2, 2, 2, 2, {1, 5, 9, 13}},
        {"linear, same size", RESAMPLE_LINEAR, {1, 5, 9, 13}, 2, 2, 2, 2, {1, 5, 9, 13}},
        {"linear, zero size", RESAMPLE_LINEAR, {1, 5, 9, 13}, 2, 2, 0, 2, {}},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        std::vector<float> dst;
        Resample(Ramp(c.source).data(), c.width, c.height, c.newWidth, c.newHeight, c.filter, dst);
        ExpectValues(Red(dst), c.expected);
    }
}

TEST(ResampleTest, BoxFilterDownWeighsEachTexelByCoverage)
{
    const struct
    {
        const char* name;
        std::vector<float> source;
        UINT width, height, depth;
        std::vector<float> expected;
    } cases[] = {
        {"2x2 footprints", {1, 2, 10, 20, 3, 4, 30, 40}, 4, 2, 1, {2.5f, 25.0f}},
        {"odd width", {0, 1, 2, 3, 4}, 5, 1, 1, {0.8f, 3.2f}},
        {"width 3", {3, 6, 12}, 3, 1, 1, {7.0f}},
        {"one-texel column", {0, 1, 2, 3, 4}, 1, 5, 1, {0.8f, 3.2f}},
        // Slices 0-1 hold 0..7, slices 2-3 hold 8..15.
        {"volume", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}, 2, 2, 4, {3.5f, 11.5f}},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        std::vector<float> dst;
        BoxFilterDown(Ramp(c.source).data(), c.width, c.height, c.depth, dst);
        ExpectValues(Red(dst), c.expected);
    }
}
