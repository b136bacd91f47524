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
            EXPECT_EQ(path, (dir / "data.bin").string());
            EXPECT_EQ(stage, 1);
            EXPECT_EQ(total, 1000u);
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
