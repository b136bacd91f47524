#include "base/source/utility/file.h"
#include "base/source/system/logger.h"
#include "base/source/utility/fileloader.h"

#include "testsupport.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace Halvex::Base;
using HalvexTest::TempDir;
using HalvexTest::WriteFile;

namespace
{
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

TEST(File, OpenFailsQuietlyForMissingFilesDirectoriesAndUnknownModes)
{
    TempDir dir;
    WriteFile(dir / "f.bin", "x");
    DiagnosticCapture capture;
    File file;
    EXPECT_FALSE(file.Open((dir / "missing").string(), FILE_MODE_READ));
    EXPECT_FALSE(file.Open(dir.Path().string(), FILE_MODE_READ));
    EXPECT_FALSE(file.Open((dir / "f.bin").string(), FILE_MODE_MAX));
    EXPECT_FALSE(file.Open((dir / "f.bin").string(), -1));
    EXPECT_FALSE(file.IsOpen());
    ASSERT_TRUE(file.Open((dir / "f.bin").string(), FILE_MODE_READ));
    char byte;
    ASSERT_TRUE(file.Read(&byte, 1, nullptr));
    // The length is found without moving the read position.
    EXPECT_EQ(file.GetLength(), 1u);
    std::size_t n = 9;
    ASSERT_TRUE(file.Read(&byte, 1, &n));
    EXPECT_EQ(n, 0u);
    // "wb+" truncates what was there.
    ASSERT_TRUE(file.Open((dir / "f.bin").string(), FILE_MODE_READ_WRITE_NEW));
    EXPECT_EQ(file.GetLength(), 0u);
    EXPECT_TRUE(capture.Logs().empty());
    EXPECT_TRUE(capture.Asserts().empty());
}

TEST(FileLoader, LoadsWholeFilesEmptyOnesAsNothingAndMissingOnesDropTheOldData)
{
    TempDir dir;
    WriteFile(dir / "data.bin", Bytes(3000));
    WriteFile(dir / "empty.bin", "");
    FileLoader loader;
    ASSERT_TRUE(loader.Load((dir / "data.bin").string()));
    EXPECT_EQ(LoadedText(loader), Bytes(3000));
    EXPECT_FALSE(loader.Load(""));
    EXPECT_EQ(loader.GetSize(), 3000u); // an empty path does not touch the last load
    EXPECT_TRUE(loader.Load((dir / "empty.bin").string()));
    EXPECT_EQ(loader.GetSize(), 0u);
    EXPECT_FALSE(loader.Load((dir / "missing.bin").string()));
    EXPECT_EQ(loader.GetData(), nullptr);
    EXPECT_FALSE(loader.Load(dir.Path().string()));
}

TEST(FileLoader, ChunksReportProgressAndNeverReadPastTheEnd)
{
    TempDir dir;
    const std::string content = Bytes(1000);
    WriteFile(dir / "data.bin", content);
    FileLoader loader;
    // The last piece is shorter than a chunk: only what is left is asked for.
    loader.SetChunkSize(384);
    std::vector<std::size_t> progress;
    loader.SetProgressCallback(
        [&](const std::string& path, int stage, std::size_t done, std::size_t total)
        {
            EXPECT_EQ(path, (dir / "data.bin").string());
            EXPECT_EQ(stage, 1);
            EXPECT_EQ(total, 1000u);
            progress.push_back(done);
            return true;
        });
    ASSERT_TRUE(loader.Load((dir / "data.bin").string()));
    EXPECT_EQ(progress, (std::vector<std::size_t>{0, 384, 768}));
    EXPECT_EQ(LoadedText(loader), content);
}

TEST(FileLoader, CallbackCanStopTheLoadKeepingWhatArrived)
{
    TempDir dir;
    WriteFile(dir / "data.bin", Bytes(1000));
    FileLoader loader;
    loader.SetChunkSize(300);
    int calls = 0;
    loader.SetProgressCallback([&](const std::string&, int, std::size_t done, std::size_t)
                               { return ++calls, done < 600; });
    EXPECT_FALSE(loader.Load((dir / "data.bin").string()));
    EXPECT_EQ(calls, 3);
    EXPECT_EQ(loader.GetSize(), 600u);
    EXPECT_EQ(LoadedText(loader), Bytes(600));
}
