// Baking again must give the committed Data/ byte for byte; bad inputs fail with a message.

#include "baker.h"
#include "testsupport.h"
#include "texturefile.h"

#include <gtest/gtest.h>

#include <set>
#include <tuple>

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
        const std::string written = HalvexTest::ReadFile(temp.Path() / file.path);
        const std::string committed = HalvexTest::ReadFile(data / file.path);
        EXPECT_TRUE(written == std::string(file.bytes.begin(), file.bytes.end()))
            << file.path << " was not written as baked";
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

TEST(DataBaker, MissingFontsAndPictureSetsThatAreNeitherATextureNorACubeMapFailWithAMessage)
{
    Halvex::Bake::BakeOutput baked;
    std::string error;
    HalvexTest::TempDir empty;
    EXPECT_FALSE(Halvex::Bake::BakeData(empty.Path(), baked, error));
    EXPECT_NE(error.find("DejaVu"), std::string::npos) << error;

    const Halvex::Bake::Canvas small(8, 8, Halvex::Bake::Rgba{});
    const Halvex::Bake::Canvas other(4, 4, Halvex::Bake::Rgba{});
    // Two faces; six faces of two sizes.
    const std::tuple<std::vector<const Halvex::Bake::Canvas*>, D3DFORMAT, bool> sets[] = {
        {{&small, &small}, D3DFMT_DXT1, true},
        {{&small, &small, &small, &small, &small, &other}, D3DFMT_A8R8G8B8, false}};
    for (const auto& [faces, format, mipmaps] : sets)
    {
        std::vector<uint8_t> bytes;
        error.clear();
        EXPECT_FALSE(Halvex::Bake::EncodeDdsTexture(faces, format, mipmaps, bytes, error));
        EXPECT_FALSE(error.empty()) << faces.size();
    }
}

} // namespace
