#include "datastream/binstream.h"
#include "datastream/readstring.h"

#include "base/source/system/logger.h"
#include "testsupport.h"

#include <gtest/gtest.h>
#include <tuple>

using namespace Halvex::DataStream;
using Halvex::Base::DiagnosticCapture;
using HalvexTest::TempDir;

namespace
{
std::string LittleEndian(std::uint32_t value)
{
    return {static_cast<char>(value), static_cast<char>(value >> 8), static_cast<char>(value >> 16),
            static_cast<char>(value >> 24)};
}
} // namespace

TEST(BinStream, WrittenBytesReadBackAndShortReadsWrongDirectionsAndBadModesFail)
{
    TempDir dir;
    const std::string path = (dir / "s.bin").string();
    {
        auto out = CreateBinStream(path, true);
        ASSERT_TRUE(out);
        EXPECT_TRUE(out->Write("abcdef", 6));
        char byte;
        EXPECT_FALSE(out->Read(&byte, 1));
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

TEST(ReadString, LengthPrefixedTextAndCountsMustFitInWhatIsLeft)
{
    // Name, bytes, whether the read succeeds, and then the text and what is left.
    const std::tuple<const char*, std::string, bool, std::string, std::size_t> rows[] = {
        {"text", LittleEndian(5) + "hello!", true, "hello", 1},
        {"zero", LittleEndian(0) + "xy", true, "", 2},
        {"negative consumes nothing more", LittleEndian(0xfffffffe) + "xy", true, "", 2},
        {"one past the end", LittleEndian(4) + "abc", false, "", 3},
        // A corrupt length of nearly 2 GiB must not be allocated.
        {"far past the end", LittleEndian(0x7ffffff0) + "abc", false, "", 3},
        {"no length", "ab", false, "", 2},
    };
    TempDir dir;
    const std::string path = (dir / "in.bin").string();
    for (const auto& [name, bytes, ok, expected, remaining] : rows)
    {
        SCOPED_TRACE(name);
        HalvexTest::WriteFile(path, bytes);
        auto in = CreateBinStream(path, false);
        ASSERT_TRUE(in);
        DiagnosticCapture capture;
        std::string text = "old";
        EXPECT_EQ(ReadString(*in, &text), ok);
        if (ok)
        {
            EXPECT_EQ(std::tuple(text, in->GetRemaining()), std::tuple(expected, remaining));
        }
        EXPECT_LT(text.capacity(), 1024u);
        EXPECT_EQ(capture.Logs().size(), !ok && bytes.size() > 4 ? 1u : 0u);
    }
    for (std::uint32_t stored : {3u, 4u})
    {
        HalvexTest::WriteFile(path, LittleEndian(stored) + std::string(12, 'x'));
        auto in = CreateBinStream(path, false);
        DiagnosticCapture capture;
        std::uint32_t count = 99;
        const bool fits = stored == 3;
        EXPECT_EQ(ReadCount(*in, &count, 4), fits) << stored;
        EXPECT_EQ(std::tuple(count, capture.Logs().size()),
                  std::tuple(fits ? 3u : 99u, fits ? 0u : 1u))
            << stored;
    }
}
