#include "datastream/binstream.h"
#include "datastream/readstring.h"

#include "base/source/system/logger.h"
#include "testsupport.h"

#include <gtest/gtest.h>

using namespace Halvex::DataStream;
using Halvex::Base::DiagnosticCapture;
using HalvexTest::TempDir;
using HalvexTest::WriteFile;

namespace
{
std::string LittleEndian(std::uint32_t value)
{
    std::string bytes(4, '\0');
    for (int i = 0; i < 4; ++i)
    {
        bytes[i] = static_cast<char>(value >> (8 * i) & 0xff);
    }
    return bytes;
}

std::unique_ptr<BinStreamFastCommon> OpenWith(const TempDir& dir, const std::string& bytes)
{
    WriteFile(dir / "in.bin", bytes);
    return CreateBinStream((dir / "in.bin").string(), false);
}
} // namespace

TEST(BinStream, WrittenBytesReadBackAndShortReadsFail)
{
    TempDir dir;
    const std::string path = (dir / "s.bin").string();
    {
        auto out = CreateBinStream(path, true);
        ASSERT_TRUE(out);
        EXPECT_TRUE(out->Write("abcdef", 6));
        char byte;
        EXPECT_FALSE(out->Read(&byte, 1)); // "wb" cannot read
    }
    auto in = CreateBinStream(path, false);
    ASSERT_TRUE(in);
    EXPECT_EQ(in->GetRemaining(), 6u);
    char buffer[8] = {};
    EXPECT_TRUE(in->Read(buffer, 4));
    EXPECT_EQ(std::string(buffer, 4), "abcd");
    EXPECT_EQ(in->GetRemaining(), 2u);
    EXPECT_FALSE(in->Read(buffer, 4)); // only two are left
    EXPECT_FALSE(in->Write("x", 1));
}

TEST(BinStream, CreateFailsForMissingFile)
{
    TempDir dir;
    EXPECT_EQ(CreateBinStream((dir / "missing.bin").string(), false), nullptr);
    EXPECT_EQ(CreateBinStream((dir / "no/such/dir.bin").string(), true), nullptr);
}

TEST(FileC, OnlyTheFourKnownFlagsOpen)
{
    TempDir dir;
    WriteFile(dir / "f.bin", "data");
    const std::string path = (dir / "f.bin").string();
    FileC file;
    for (int flags : {0, 3, 6, 16, -1})
    {
        EXPECT_FALSE(file.Open(path.c_str(), flags)) << flags;
    }
    EXPECT_TRUE(file.Open(path.c_str(), FILEC_READ));
    EXPECT_EQ(file.GetRemaining(), 4u);
    EXPECT_TRUE(file.Open(path.c_str(), FILEC_APPEND));
    EXPECT_EQ(file.Write("!", 1), 1u);
    EXPECT_TRUE(file.Open(path.c_str(), FILEC_READ_WRITE_NEW));
    file.Close();
    EXPECT_FALSE(file.IsOpen());
    EXPECT_TRUE(file.Open(path.c_str(), FILEC_WRITE));
    EXPECT_FALSE(file.Open(dir.Path().c_str(), FILEC_READ));
}

TEST(ReadString, ReadsLengthPrefixedText)
{
    TempDir dir;
    auto in = OpenWith(dir, LittleEndian(5) + "hello" + LittleEndian(2) + "ok");
    ASSERT_TRUE(in);
    std::string text = "old";
    EXPECT_TRUE(ReadString(*in, &text));
    EXPECT_EQ(text, "hello");
    EXPECT_TRUE(ReadString(*in, &text));
    EXPECT_EQ(text, "ok");
    EXPECT_FALSE(ReadString(*in, &text)); // no length left
}

TEST(ReadString, ZeroOrNegativeLengthGivesEmptyString)
{
    TempDir dir;
    auto in = OpenWith(dir, LittleEndian(0) + LittleEndian(0xfffffffe) + "xy");
    ASSERT_TRUE(in);
    std::string text = "old";
    EXPECT_TRUE(ReadString(*in, &text));
    EXPECT_EQ(text, "");
    text = "old";
    EXPECT_TRUE(ReadString(*in, &text));
    EXPECT_EQ(text, "");
    EXPECT_EQ(in->GetRemaining(), 2u); // a negative length consumes nothing more
}

TEST(ReadString, LengthBeyondTheFileFailsWithoutAllocating)
{
    TempDir dir;
    // A corrupt length of nearly 2 GiB in front of three bytes.
    auto in = OpenWith(dir, LittleEndian(0x7ffffff0) + "abc");
    ASSERT_TRUE(in);
    DiagnosticCapture capture;
    std::string text = "old";
    EXPECT_FALSE(ReadString(*in, &text));
    EXPECT_LT(text.capacity(), 1024u);
    EXPECT_EQ(capture.Logs().size(), 1u);
    EXPECT_TRUE(capture.Logged("past the end"));

    auto exact = OpenWith(dir, LittleEndian(4) + "abc");
    ASSERT_TRUE(exact);
    EXPECT_FALSE(ReadString(*exact, &text));
}

TEST(ReadCount, CountMustFitInWhatIsLeft)
{
    TempDir dir;
    // Little endian: 0x00000003 is stored 03 00 00 00.
    auto in = OpenWith(dir, std::string("\x03\0\0\0", 4) + std::string(12, 'x'));
    ASSERT_TRUE(in);
    std::uint32_t count = 0;
    EXPECT_TRUE(ReadCount(*in, &count, 4));
    EXPECT_EQ(count, 3u);

    auto tooMany = OpenWith(dir, LittleEndian(4) + std::string(12, 'x'));
    ASSERT_TRUE(tooMany);
    DiagnosticCapture capture;
    count = 99;
    EXPECT_FALSE(ReadCount(*tooMany, &count, 4));
    EXPECT_EQ(count, 99u);
    EXPECT_EQ(capture.Logs().size(), 1u);
}
