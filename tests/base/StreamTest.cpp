#include "base/source/utility/stream.h"

#include "base/source/system/logger.h"

#include <cstring>
#include <gtest/gtest.h>

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

TEST(Stream, FirstReservationGetsAtLeast512Bytes)
{
    Stream stream;
    EXPECT_EQ(stream.GetBuffer(), nullptr);
    EXPECT_TRUE(stream.Reserve(10));
    EXPECT_EQ(stream.GetCapacity(), 512u);
    EXPECT_EQ(stream.GetSize(), 0u);
    EXPECT_EQ(stream.GetWritePointer(), stream.GetBuffer());

    Stream large(2000);
    EXPECT_EQ(large.GetCapacity(), 2000u);
}

TEST(Stream, FullStreamGrowsToOneAndAHalfTimesWhatItNeedsAndKeepsItsBytes)
{
    // 100 bytes held in 100, one more reserved: 101 * 1.5 = 151.5.
    EXPECT_EQ(Stream::GrownCapacity(101), 151u);
    EXPECT_EQ(Stream::GrownCapacity(static_cast<std::size_t>(-1)), 0u);

    Stream stream;
    WriteBytes(stream, 100, 0xab);
    WriteBytes(stream, 500, 0xcd); // 600 needed: 900
    ASSERT_EQ(stream.GetCapacity(), 900u);
    EXPECT_TRUE(stream.Reserve(300));
    EXPECT_EQ(stream.GetCapacity(), 900u);
    EXPECT_TRUE(stream.Reserve(301));
    EXPECT_EQ(stream.GetCapacity(), 1351u); // 901 * 1.5, truncated
    EXPECT_EQ(stream.GetSize(), 600u);
    EXPECT_EQ(stream.GetWritePointer(), stream.GetBuffer() + 600);
    EXPECT_EQ(stream.GetReadPointer(), stream.GetBuffer());
    EXPECT_EQ(stream.GetBuffer()[99], 0xab);
    EXPECT_EQ(stream.GetBuffer()[599], 0xcd);
}

TEST(Stream, ReservingNothingOrGrowingAnEmptyBlockAssertsAndSucceeds)
{
    DiagnosticCapture capture;
    Stream stream(16);
    EXPECT_TRUE(stream.Reserve(0));
    EXPECT_TRUE(capture.Raised("size > 0"));
    EXPECT_TRUE(stream.Reserve(1000));
    EXPECT_TRUE(capture.Raised("m_Buf == NULL"));
    EXPECT_EQ(stream.GetCapacity(), 1000u);
}

TEST(Stream, ImpossibleReservationFailsAndKeepsTheBlock)
{
    DiagnosticCapture capture;
    Stream stream;
    WriteBytes(stream, 10, 3);
    std::uint8_t* block = stream.GetBuffer();
    // Both overflow before any allocation is tried: the sum, then the growth.
    EXPECT_FALSE(stream.Reserve(static_cast<std::size_t>(-1)));
    EXPECT_FALSE(stream.Reserve(static_cast<std::size_t>(-1) - 100));
    ASSERT_EQ(capture.Asserts().size(), 2u);
    EXPECT_EQ(capture.Asserts()[1].expression, "!\"Stream can not malloc\"");
    EXPECT_EQ(capture.Asserts()[0].source, "src/base/source/utility/stream");
    EXPECT_EQ(stream.GetBuffer(), block);
    EXPECT_EQ(stream.GetSize(), 10u);
    EXPECT_EQ(stream.GetCapacity(), 512u);
}

TEST(Stream, AdvanceOutsideTheBlockAssertsAndDoesNotMove)
{
    DiagnosticCapture capture;
    Stream stream(16);
    stream.Advance(513);
    EXPECT_TRUE(capture.Raised("m_BufWriter + len <= m_Buf + m_Capacity"));
    stream.Advance(-1);
    EXPECT_TRUE(capture.Raised("m_BufWriter + len >= m_Buf"));
    EXPECT_EQ(stream.GetSize(), 0u);

    stream.Advance(512);
    stream.Advance(-12);
    EXPECT_EQ(stream.GetSize(), 500u);
    EXPECT_EQ(capture.Asserts().size(), 2u);
}
