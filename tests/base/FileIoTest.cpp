#include "testsupport.h"

#include "base/source/system/logger.h"
#include "base/source/utility/file.h"
#include "base/source/utility/fileloader.h"
#include "datastream/binstream.h"
#include "datastream/readstring.h"

#include <gtest/gtest.h>
#include <string>
#include <tuple>
#include <vector>

using namespace Halvex::DataStream;
using HalvexTest::TempDir;
using namespace Halvex::Base;
using HalvexTest::WriteFile;

namespace
{
std::string LittleEndian(std::uint32_t value)
{
    return {static_cast<char>(value), static_cast<char>(value >> 8), static_cast<char>(value >> 16),
            static_cast<char>(value >> 24)};
}

std::string Bytes(std::size_t count)
{
    std::string bytes(count, '\0');
    for (std::size_t i = 0; i < count; ++i)
    {
        bytes[i] = static_cast<char>('a' + i % 26);
    }
    return bytes;
}

std::string LoadedText(const FileLoader& loader)
{
    return std::string(reinterpret_cast<const char*>(loader.GetData()), loader.GetSize());
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
        WriteFile(path, bytes);
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
        WriteFile(path, LittleEndian(stored) + std::string(12, 'x'));
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

TEST(File, OpenAndLoadFailQuietlyForMissingFilesDirectoriesAndUnknownModes)
{
    TempDir dir;
    const std::string path = (dir / "f.bin").string();
    WriteFile(path, "x");
    DiagnosticCapture capture;
    File file;
    EXPECT_FALSE(file.Open((dir / "missing").string(), FILE_MODE_READ));
    EXPECT_FALSE(file.Open(dir.Path().string(), FILE_MODE_READ));
    EXPECT_FALSE(file.Open(path, FILE_MODE_MAX));
    EXPECT_FALSE(file.Open(path, -1));
    EXPECT_FALSE(file.IsOpen());
    ASSERT_TRUE(file.Open(path, FILE_MODE_READ));
    char byte;
    ASSERT_TRUE(file.Read(&byte, 1, nullptr));
    // The length is found without moving the read position.
    EXPECT_EQ(file.GetLength(), 1u);
    std::size_t n = 9;
    ASSERT_TRUE(file.Read(&byte, 1, &n));
    EXPECT_EQ(n, 0u);
    // "wb+" truncates what was there.
    ASSERT_TRUE(file.Open(path, FILE_MODE_READ_WRITE_NEW));
    EXPECT_EQ(file.GetLength(), 0u);
    EXPECT_TRUE(capture.Logs().empty());

    // Loading: an empty path keeps the last load, a missing file drops it.
    WriteFile(dir / "data.bin", Bytes(3000));
    FileLoader loader;
    ASSERT_TRUE(loader.Load((dir / "data.bin").string()));
    EXPECT_EQ(LoadedText(loader), Bytes(3000));
    EXPECT_FALSE(loader.Load(""));
    EXPECT_EQ(loader.GetSize(), 3000u);
    EXPECT_TRUE(loader.Load(path));
    EXPECT_EQ(loader.GetSize(), 0u);
    EXPECT_FALSE(loader.Load((dir / "missing.bin").string()));
    EXPECT_EQ(loader.GetData(), nullptr);
    EXPECT_FALSE(loader.Load(dir.Path().string()));
}

TEST(FileLoader, ChunksReportProgressNeverReadPastTheEndAndTheCallbackCanStopTheLoad)
{
    TempDir dir;
    WriteFile(dir / "data.bin", Bytes(1000));
    FileLoader loader;
    // The last piece is shorter than a chunk: only what is left is asked for.
    loader.SetChunkSize(384);
    std::vector<std::size_t> progress;
    std::size_t stopAt = 1000;
    loader.SetProgressCallback(
        [&](const std::string& path, int stage, std::size_t done, std::size_t total)
        {
            EXPECT_EQ(std::tie(path, stage, total),
                      std::tuple((dir / "data.bin").string(), 1, std::size_t{1000}));
            progress.push_back(done);
            return done < stopAt;
        });
    ASSERT_TRUE(loader.Load((dir / "data.bin").string()));
    EXPECT_EQ(progress, (std::vector<std::size_t>{0, 384, 768}));
    EXPECT_EQ(LoadedText(loader), Bytes(1000));

    // Stopped, it keeps what arrived.
    progress.clear();
    stopAt = 600;
    loader.SetChunkSize(300);
    EXPECT_FALSE(loader.Load((dir / "data.bin").string()));
    EXPECT_EQ(progress, (std::vector<std::size_t>{0, 300, 600}));
    EXPECT_EQ(LoadedText(loader), Bytes(600));
}
