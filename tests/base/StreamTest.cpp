#include "base/source/utility/stream.h"

#include "base/source/system/logger.h"

#include <cstring>
#include <gtest/gtest.h>
#include <tuple>

using namespace Halvex::Base;

namespace
{
void WriteBytes(Stream& stream, std::size_t count, std::uint8_t value)
{
    ASSERT_TRUE(stream.Reserve(count));
    std::memset(stream.GetWritePointer(), value, count);
    stream.Advance(static_cast<std::ptrdiff_t>(count));
}
} // namespace

TEST(Stream, FirstBlockIsAtLeast512AndAFullOneGrowsToOneAndAHalfTimesWhatItNeeds)
{
    EXPECT_EQ(Stream(2000).GetCapacity(), 2000u);
    Stream stream;
    EXPECT_EQ(stream.GetBuffer(), nullptr);
    WriteBytes(stream, 100, 0xab);
    EXPECT_EQ(stream.GetCapacity(), 512u);
    WriteBytes(stream, 500, 0xcd); // 600 needed: 900
    ASSERT_EQ(stream.GetCapacity(), 900u);
    EXPECT_TRUE(stream.Reserve(300));
    EXPECT_EQ(stream.GetCapacity(), 900u);
    EXPECT_TRUE(stream.Reserve(301));
    EXPECT_EQ(stream.GetCapacity(), 1351u); // 901 * 1.5, truncated
    const std::uint8_t* buffer = stream.GetBuffer();
    EXPECT_EQ(std::tuple(stream.GetSize(), stream.GetWritePointer(), stream.GetReadPointer()),
              std::tuple(600u, buffer + 600, buffer));
    EXPECT_EQ(std::tuple(buffer[99], buffer[599]), std::tuple(0xab, 0xcd));
}

TEST(Stream, BadReservationsAndAdvancesAssertAndLeaveTheBlock)
{
    DiagnosticCapture capture;
    Stream empty(16);
    EXPECT_TRUE(empty.Reserve(0)) << "asserts, then succeeds";
    EXPECT_TRUE(empty.Reserve(1000)) << "an empty block is replaced, asserting";
    EXPECT_EQ(empty.GetCapacity(), 1000u);
    EXPECT_EQ(capture.Asserts().size(), 2u);

    Stream stream;
    WriteBytes(stream, 10, 3);
    std::uint8_t* block = stream.GetBuffer();
    // Both overflow before any allocation is tried: the sum, then the growth.
    EXPECT_FALSE(stream.Reserve(static_cast<std::size_t>(-1)));
    EXPECT_FALSE(stream.Reserve(static_cast<std::size_t>(-1) - 100));
    EXPECT_EQ(Stream::GrownCapacity(static_cast<std::size_t>(-1)), 0u);
    stream.Advance(503);
    stream.Advance(-11);
    EXPECT_EQ(capture.Asserts().size(), 6u);
    EXPECT_EQ(std::tuple(stream.GetBuffer(), stream.GetSize(), stream.GetCapacity()),
              std::tuple(block, 10u, 512u));
    stream.Advance(502);
    stream.Advance(-12);
    EXPECT_EQ(stream.GetSize(), 500u);
    EXPECT_EQ(capture.Asserts().size(), 6u);
}
