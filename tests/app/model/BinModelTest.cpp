#include "ModelFile.h"

#include "datastream/binstream.h"
#include "testsupport.h"

#include <gtest/gtest.h>

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
        if (!pStream)
        {
            ADD_FAILURE() << "cannot open " << path;
            return false;
        }
        Bin_Model model;
        error.clear();
        return ReadBinModel(*pStream, pModel ? pModel : &model, &error);
    }

    // One mesh with a textured, indexed triangle and an unindexed, untextured one.
    static ModelFile TwoMaterials()
    {
        ModelFile file;
        file.Text("HEADER").Text("box").Int(1);
        file.Text("body").Int(2);
        file.Material("front", "wood.dds", ModelFile::Triangle(), {0, 1, 2, 2, 1, 0}, 10.0f);
        file.Material("back", "", ModelFile::Triangle(), {});
        return file;
    }

    HalvexTest::TempDir dir;
    std::string error;
};
} // namespace

TEST_F(BinModelRead, ThreeZeroIntsAreAnEmptyModel)
{
    Bin_Model model;
    ASSERT_TRUE(Read(ModelFile().Int(0).Int(0).Int(0).Bytes(), &model));
    EXPECT_EQ(model.m_Header, "");
    EXPECT_EQ(model.m_Name, "");
    EXPECT_TRUE(model.m_Meshes.empty());
}

TEST_F(BinModelRead, RecordsComeBackInFileOrder)
{
    Bin_Model model;
    ASSERT_TRUE(Read(TwoMaterials().Bytes(), &model)) << error;
    EXPECT_EQ(model.m_Header, "HEADER");
    EXPECT_EQ(model.m_Name, "box");
    ASSERT_EQ(model.m_Meshes.size(), 1u);
    const Bin_Mesh& mesh = model.m_Meshes[0];
    EXPECT_EQ(mesh.m_Name, "body");
    ASSERT_EQ(mesh.m_Materials.size(), 2u);
    const Bin_Material& front = mesh.m_Materials[0];
    EXPECT_EQ(front.m_Name, "front");
    EXPECT_EQ(front.m_TextureName, "wood.dds");
    EXPECT_FLOAT_EQ(front.m_Color[0][0], 10.0f);
    EXPECT_FLOAT_EQ(front.m_Color[3][3], 25.0f);
    ASSERT_EQ(front.m_Vertices.size(), 3u);
    EXPECT_FLOAT_EQ(front.m_Vertices[1].m_Position[0], 1.0f);
    EXPECT_FLOAT_EQ(front.m_Vertices[2].m_TexCoord[1], 0.5f);
    EXPECT_EQ(front.m_Vertices[0].m_Color, 0xFF102030u);
    EXPECT_EQ(front.m_Indices, (std::vector<int32_t>{0, 1, 2, 2, 1, 0}));
    EXPECT_EQ(mesh.m_Materials[1].m_Name, "back");
    EXPECT_TRUE(mesh.m_Materials[1].m_Indices.empty());
}

TEST_F(BinModelRead, NegativeStringLengthIsEmptyAndTakesFourBytes)
{
    Bin_Model model;
    ASSERT_TRUE(Read(ModelFile().Int(-7).Text("name").Int(0).Bytes(), &model)) << error;
    EXPECT_EQ(model.m_Header, "");
    EXPECT_EQ(model.m_Name, "name");
}

TEST_F(BinModelRead, EveryTruncationFails)
{
    const std::string bytes = TwoMaterials().Bytes();
    ASSERT_TRUE(Read(bytes));
    for (std::size_t length = 0; length < bytes.size(); ++length)
    {
        EXPECT_FALSE(Read(bytes.substr(0, length))) << "length " << length;
        EXPECT_FALSE(error.empty());
    }
}

TEST_F(BinModelRead, NegativeCountsFail)
{
    EXPECT_FALSE(Read(ModelFile().Int(0).Int(0).Int(-1).Bytes()));
    EXPECT_NE(error.find("mesh count is negative"), std::string::npos) << error;

    ModelFile negativeVertices;
    negativeVertices.Int(0).Int(0).Int(1).Text("m").Int(1).Text("mat");
    for (int i = 0; i < 16; ++i)
    {
        negativeVertices.Float(0.0f);
    }
    negativeVertices.Text("").Int(-3).Int(0);
    EXPECT_FALSE(Read(negativeVertices.Bytes()));
    EXPECT_NE(error.find("vertex count is negative"), std::string::npos) << error;
}

TEST_F(BinModelRead, CountsBeyondTheFileFailBeforeAllocating)
{
    // 0x7FFFFFFF vertices of 36 bytes would be 77 GB; the check must come first.
    ModelFile file;
    file.Int(0).Int(0).Int(1).Text("m").Int(1).Text("mat");
    for (int i = 0; i < 16; ++i)
    {
        file.Float(0.0f);
    }
    file.Text("").Int(0x7FFFFFFF).Int(0);
    EXPECT_FALSE(Read(file.Bytes()));
    EXPECT_NE(error.find("vertex count"), std::string::npos) << error;

    EXPECT_FALSE(Read(ModelFile().Int(0).Int(0).Int(2).Text("m").Int(0).Bytes()));
    EXPECT_NE(error.find("mesh count"), std::string::npos) << error;

    EXPECT_FALSE(Read(ModelFile().Int(0x7FFFFFF0).Bytes()));
    EXPECT_NE(error.find("header"), std::string::npos) << error;
}

TEST_F(BinModelRead, IndicesMustBeBelowTheVertexCount)
{
    auto withIndex = [](int32_t index)
    {
        ModelFile file;
        file.Int(0).Int(0).Int(1).Text("m").Int(1);
        file.Material("mat", "", ModelFile::Triangle(), {0, 1, index});
        return file.Bytes();
    };
    EXPECT_TRUE(Read(withIndex(2))) << error;
    EXPECT_FALSE(Read(withIndex(3)));
    EXPECT_NE(error.find("index 3"), std::string::npos) << error;
    EXPECT_FALSE(Read(withIndex(-1)));
}
