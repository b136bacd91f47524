#include "rendercore/source/renderdevice/deviceutility.h"
#include "base/source/system/logger.h"

#include <gtest/gtest.h>

using namespace Halvex::RenderCore;
using Halvex::Base::DiagnosticCapture;

TEST(DeviceUtility, PrimitiveCountFollowsTheTopology)
{
    struct Case
    {
        PrimitiveType type;
        int vertexCount, indexCount, expected;
    };
    const Case cases[] = {
        {PT_TRIANGLE_LIST, 36, 0, 12}, {PT_TRIANGLE_LIST, 4, 36, 12}, {PT_TRIANGLE_STRIP, 4, 0, 2},
        {PT_TRIANGLE_FAN, 6, 0, 4},    {PT_LINE_STRIP, 1, 0, 0},      {PT_LINE_LIST, 7, 0, 3},
        {PT_POINT_LIST, 5, 0, 5},      {PT_POINT_LIST, 5, 3, 3},
    };
    DiagnosticCapture capture;
    for (const Case& c : cases)
    {
        EXPECT_EQ(GetPrimitiveCount(c.type, c.vertexCount, c.indexCount), c.expected)
            << c.type << " " << c.vertexCount << " " << c.indexCount;
    }
    EXPECT_TRUE(capture.Asserts().empty());
}

TEST(DeviceUtility, PrimitiveCountAssertsOnNegativeCountsAndUnknownTypes)
{
    DiagnosticCapture capture;
    GetPrimitiveCount(PT_POINT_LIST, -1, 0);
    EXPECT_TRUE(capture.Raised("vertexCount >= 0"));
    GetPrimitiveCount(PT_POINT_LIST, 0, -1);
    EXPECT_TRUE(capture.Raised("indexCount >= 0"));
    capture.Clear();
    EXPECT_EQ(GetPrimitiveCount(PT_MAX, 9, 0), 0);
    ASSERT_EQ(capture.Asserts().size(), 1u);
    EXPECT_EQ(capture.Asserts()[0].source, "src/rendercore/source/renderdevice/deviceutility");
}

TEST(DeviceUtility, FormatBitsCoverEveryFormat)
{
    const int expected[FMT_MAX] = {
        0,  24, 32, 32, 16, 16, 16, 16, 8,  32,  32, // FMT_UNKNOWN..FMT_A8B8G8R8
        32, 64, 8,  4,  8,  8,  8,  8,  16, 32,      // FMT_A2R10G10B10..FMT_D32
        32, 32, 16, 32, 16, 32, 64, 32, 64, 128,     // FMT_D24S8..FMT_A32B32G32R32F
    };
    for (int format = 0; format < FMT_MAX; ++format)
    {
        EXPECT_EQ(GetFormatBits(static_cast<TextureFormat>(format)), expected[format]) << format;
    }
    EXPECT_EQ(GetFormatBits(FMT_MAX), 0);
    EXPECT_EQ(GetFormatBits(static_cast<TextureFormat>(-1)), 0);
}

TEST(DeviceUtility, OnlyDxtFormatsAreCompressed)
{
    for (int format = 0; format < FMT_MAX; ++format)
    {
        EXPECT_EQ(IsCompressedFormat(static_cast<TextureFormat>(format)),
                  format >= FMT_DXT1 && format <= FMT_DXT5)
            << format;
    }
}
