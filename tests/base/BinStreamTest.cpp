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
    EXPECT_EQ(CreateBinStream((dir / "missing.bin").string(), false), nullptr);

    FileC file;
    for (int flags : {0, 3, 6, 16, -1})
    {
        EXPECT_FALSE(file.Open(path.c_str(), flags)) << flags;
    }
    EXPECT_TRUE(file.Open(path.c_str(), FILEC_READ));
    EXPECT_FALSE(file.Open(dir.Path().c_str(), FILEC_READ));
}

TEST(ReadString, LengthPrefixedTextAndBadLengths)
{
    const struct
    {
        const char* name;
        std::string bytes;
        bool ok;
        std::string text;
        std::size_t remaining;
    } rows[] = {
        {"text", LittleEndian(5) + "hello!", true, "hello", 1},
        {"zero", LittleEndian(0) + "xy", true, "", 2},
        {"negative consumes nothing more", LittleEndian(0xfffffffe) + "xy", true, "", 2},
        {"one past the end", LittleEndian(4) + "abc", false, "", 3},
        // A corrupt length of nearly 2 GiB must not be allocated.
        {"far past the end", LittleEndian(0x7ffffff0) + "abc", false, "", 3},
        {"no length", "ab", false, "", 2},
    };
    TempDir dir;
    for (const auto& row : rows)
    {
        auto in = OpenWith(dir, row.bytes);
        ASSERT_TRUE(in) << row.name;
        DiagnosticCapture capture;
        std::string text = "old";
        EXPECT_EQ(ReadString(*in, &text), row.ok) << row.name;
        if (row.ok)
        {
            EXPECT_EQ(text, row.text) << row.name;
            EXPECT_EQ(in->GetRemaining(), row.remaining) << row.name;
        }
        EXPECT_LT(text.capacity(), 1024u) << row.name;
        EXPECT_EQ(capture.Logged("past the end"), !row.ok && row.bytes.size() > 4) << row.name;
    }
}

TEST(ReadCount, CountMustFitInWhatIsLeft)
{
    TempDir dir;
    for (std::uint32_t stored : {3u, 4u})
    {
        auto in = OpenWith(dir, LittleEndian(stored) + std::string(12, 'x'));
        ASSERT_TRUE(in);
        DiagnosticCapture capture;
        std::uint32_t count = 99;
        EXPECT_EQ(ReadCount(*in, &count, 4), stored == 3) << stored;
        EXPECT_EQ(count, stored == 3 ? 3u : 99u) << stored;
        EXPECT_EQ(capture.Logs().size(), stored == 3 ? 0u : 1u) << stored;
    }
}
