#include "rendercore/source/renderdevice/deviceutility.h"

#include "base/source/system/logger.h"

#include <gtest/gtest.h>

using namespace Halvex::RenderCore;
using Halvex::Base::DiagnosticCapture;

TEST(DeviceUtility, PrimitiveCountFollowsTheTopologyAndRefusesBadInput)
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
    GetPrimitiveCount(PT_POINT_LIST, -1, 0);
    GetPrimitiveCount(PT_POINT_LIST, 0, -1);
    EXPECT_EQ(GetPrimitiveCount(PT_MAX, 9, 0), 0);
    EXPECT_EQ(capture.Asserts().size(), 3u);
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
