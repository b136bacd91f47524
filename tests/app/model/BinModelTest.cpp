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

TEST_F(BinModelRead, EmptyRecordsAndNegativeLengthsReadAsEmpty)
{
    Bin_Model model;
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
        file.Int(0).Int(0).Int(1).Text("m").Int(1).MaterialHead("mat", "");
        return file.Int(vertexCount).Int(0).Bytes();
    };
    const auto withIndex = [](int32_t index)
    {
        ModelFile file;
        file.Int(0).Int(0).Int(1).Text("m").Int(1);
        return file.Material("mat", "", ModelFile::Triangle(), {0, 1, index}).Bytes();
    };
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
