// Baking again must give the committed Data/ byte for byte.

#include "baker.h"
#include "modelreader.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <set>

namespace
{

TEST(DataBaker, FreshBakeMatchesTheCommittedFilesByteForByte)
{
    Halvex::Bake::BakeOutput baked;
    std::string error;
    ASSERT_TRUE(Halvex::Bake::BakeData(Halvex::Bake::DEFAULT_FONT_DIR, baked, error)) << error;
    HalvexTest::TempDir temp;
    ASSERT_TRUE(Halvex::Bake::WriteBakedFiles(temp.Path(), baked.files, error)) << error;

    const std::filesystem::path data = HalvexTest::SourceDir() / "Data";
    std::set<std::string> bakedPaths;
    for (const auto& file : baked.files)
    {
        bakedPaths.insert(file.path);
        const auto written = DataTest::ReadFileBytes((temp.Path() / file.path).string());
        const auto committed = DataTest::ReadFileBytes((data / file.path).string());
        EXPECT_EQ(written, file.bytes) << file.path << " was not written as baked";
        EXPECT_TRUE(committed == written) << file.path << " differs: run scripts/bake.sh";
    }
    for (const auto& entry : std::filesystem::recursive_directory_iterator(data))
    {
        const std::string path = std::filesystem::relative(entry.path(), data).generic_string();
        // The lesson notes are written by hand, not baked.
        if (entry.is_regular_file() && !path.starts_with("Notes/"))
        {
            EXPECT_TRUE(bakedPaths.count(path)) << path << " is not made by the baker";
        }
    }
}

TEST(DataBaker, MissingFontsFailWithAMessage)
{
    Halvex::Bake::BakeOutput baked;
    std::string error;
    HalvexTest::TempDir empty;
    EXPECT_FALSE(Halvex::Bake::BakeData(empty.Path(), baked, error));
    EXPECT_NE(error.find("DejaVu"), std::string::npos) << error;
}

} // namespace
