#include "ModelFile.h"

#include "datastream/binstream.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <tuple>

namespace
{
class BinModelRead : public testing::Test
{
protected:
    bool Read(const std::string& bytes, Bin_Model* pModel = nullptr)
    {
        const auto path = dir / "model.bin";
        HalvexTest::WriteFile(path, bytes);
        auto pStream = Halvex::DataStream::CreateBinStream(path.string(), false);
        Bin_Model model;
        error.clear();
        EXPECT_TRUE(pStream) << "cannot open " << path;
        return pStream && ReadBinModel(*pStream, pModel ? pModel : &model, &error);
    }

    HalvexTest::TempDir dir;
    std::string error;
};
} // namespace

TEST_F(BinModelRead, RecordsComeBackInFileOrder)
{
    Bin_Model model;
    ASSERT_TRUE(Read(ModelFile::TwoMaterials(), &model)) << error;
    EXPECT_EQ((std::tuple{model.m_Header, model.m_Name}), (std::tuple{"HEADER", "box"}));
    ASSERT_EQ(model.m_Meshes.size(), 1u);
    const Bin_Mesh& mesh = model.m_Meshes[0];
    EXPECT_EQ(mesh.m_Name, "body");
    ASSERT_EQ(mesh.m_Materials.size(), 2u);
    const Bin_Material& front = mesh.m_Materials[0];
    EXPECT_EQ(
        (std::tuple{front.m_Name, front.m_TextureName, front.m_Color[0][0], front.m_Color[3][3]}),
        (std::tuple{"front", "wood.dds", 10.0f, 25.0f}));
    ASSERT_EQ(front.m_Vertices.size(), 3u);
    EXPECT_EQ((std::tuple{front.m_Vertices[1].m_Position[0], front.m_Vertices[2].m_TexCoord[1],
                          front.m_Vertices[0].m_Color}),
              (std::tuple{1.0f, 0.5f, 0xFF102030u}));
    EXPECT_EQ(front.m_Indices, (std::vector<int32_t>{0, 1, 2, 2, 1, 0}));
    EXPECT_EQ(mesh.m_Materials[1].m_Name, "back");
    EXPECT_TRUE(mesh.m_Materials[1].m_Indices.empty());

    // Three zero ints are an empty model; a negative string length is empty and takes four
    // bytes.
    ASSERT_TRUE(Read(ModelFile().Int(0).Int(0).Int(0).Bytes(), &model));
    EXPECT_EQ((std::tuple{model.m_Header, model.m_Name, model.m_Meshes.size()}),
              (std::tuple{"", "", 0u}));
    ASSERT_TRUE(Read(ModelFile().Int(-7).Text("name").Int(0).Bytes(), &model)) << error;
    EXPECT_EQ((std::tuple{model.m_Header, model.m_Name}), (std::tuple{"", "name"}));
}

TEST_F(BinModelRead, EveryTruncationFails)
{
    const std::string bytes = ModelFile::TwoMaterials();
    ASSERT_TRUE(Read(bytes));
    for (std::size_t length = 0; length < bytes.size(); ++length)
    {
        EXPECT_FALSE(Read(bytes.substr(0, length))) << "length " << length;
        EXPECT_FALSE(error.empty());
    }
}

// Negative counts, counts beyond the file (checked before allocating: 0x7FFFFFFF vertices of
// 36 bytes would be 77 GB) and indices not below the vertex count fail with a reason.
TEST_F(BinModelRead, BadCountsAndIndicesFailWithAReason)
{
    const auto oneMaterial = [](int32_t vertexCount)
    {
        ModelFile file;
        file.Int(0).Int(0).Int(1).Text("m").Int(1).Text("mat");
        for (int i = 0; i < 16; ++i)
        {
            file.Float(0.0f);
        }
        return file.Text("").Int(vertexCount).Int(0).Bytes();
    };
    const auto withIndex = [](int32_t index)
    {
        ModelFile file;
        file.Int(0).Int(0).Int(1).Text("m").Int(1);
        return file.Material("mat", "", ModelFile::Triangle(), {0, 1, index}).Bytes();
    };
    EXPECT_TRUE(Read(withIndex(2))) << error;
    const std::pair<std::string, const char*> cases[] = {
        {ModelFile().Int(0).Int(0).Int(-1).Bytes(), "mesh count is negative"},
        {oneMaterial(-3), "vertex count is negative"},
        {oneMaterial(0x7FFFFFFF), "vertex count"},
        {ModelFile().Int(0).Int(0).Int(2).Text("m").Int(0).Bytes(), "mesh count"},
        {ModelFile().Int(0x7FFFFFF0).Bytes(), "header"},
        {withIndex(3), "index 3"},
        {withIndex(-1), ""},
    };
    for (const auto& [bytes, reason] : cases)
    {
        EXPECT_FALSE(Read(bytes)) << reason;
        EXPECT_NE(error.find(reason), std::string::npos) << error;
    }
}
