#include "ModelFile.h"
#include "fakerenderdevice.h"

#include "common/model/simplemodel.h"
#include "common/model/texturemanager.h"

#include "base/source/system/logger.h"
#include "rendercore/source/resource/indexbuffer.h"
#include "rendercore/source/resource/resourceprofiler.h"
#include "rendercore/source/resource/texture.h"
#include "rendercore/source/resource/vertexbuffer.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace Halvex::RenderCore;
using Halvex::Base::DiagnosticCapture;
using HalvexTest::FakeDeviceScope;
using HalvexTest::FakeRenderDevice;

namespace
{
class SimpleModelLoad : public testing::Test
{
protected:
    std::string Write(const std::string& bytes, const std::string& name = "model.bin")
    {
        HalvexTest::WriteFile(dir / name, bytes);
        return (dir / name).string();
    }

    static std::string TwoMaterials()
    {
        ModelFile file;
        file.Text("HEADER").Text("box").Int(1);
        file.Text("body").Int(2);
        file.Material("front", "wood.dds", ModelFile::Triangle(), {0, 1, 2}, 10.0f);
        file.Material("back", "", ModelFile::Triangle(), {});
        return file.Bytes();
    }

    std::size_t Live(int type) { return device->GetResourceProfiler()->GetResources(type).size(); }

    FakeDeviceScope device;
    HalvexTest::TempDir dir;
};
} // namespace

TEST_F(SimpleModelLoad, FileRecordsBecomeMaterialsWithBuffersAndTexture)
{
    HalvexTest::WriteFile(dir / "_Tex_" / "wood.dds", FakeRenderDevice::TextureFile(64, 32));
    SimpleModel model;
    ASSERT_TRUE(model.Load(Write(TwoMaterials())));
    EXPECT_EQ(model.GetName(), "box");
    ASSERT_EQ(model.GetMaterials().size(), 1u);
    const Render_Mat& material = model.GetMaterials().front();
    EXPECT_EQ(material.m_Name, "body");
    ASSERT_EQ(material.m_Meshes.size(), 2u);

    const Render_Mesh& front = material.m_Meshes.front();
    EXPECT_EQ(front.m_Name, "front");
    EXPECT_FLOAT_EQ(front.m_Color1[0], 10.0f);
    EXPECT_FLOAT_EQ(front.m_Color4[3], 25.0f);
    ASSERT_NE(front.m_pTexture, nullptr);
    EXPECT_EQ(front.m_pTexture->GetWidth(), 64);
    EXPECT_EQ(front.m_pTexture->GetHeight(), 32);
    ASSERT_NE(front.m_pVertexBuffer, nullptr);
    EXPECT_EQ(front.m_pVertexBuffer->GetVertexNum(), 3);
    EXPECT_EQ(front.m_pVertexBuffer->GetVertexSize(), 36);
    EXPECT_EQ(front.m_pVertexBuffer->GetPrimitiveType(), PT_TRIANGLE_LIST);
    ASSERT_NE(front.m_pIndexBuffer, nullptr);
    EXPECT_EQ(front.m_pIndexBuffer->GetIndexSize(), 2);
    const std::vector<uint8_t>& indices = device->BufferBytes(front.m_pIndexBuffer.get());
    EXPECT_EQ(indices, (std::vector<uint8_t>{0, 0, 1, 0, 2, 0}));

    const Render_Mesh& back = material.m_Meshes.back();
    EXPECT_EQ(back.m_pTexture, nullptr);
    EXPECT_EQ(back.m_pIndexBuffer, nullptr);
    EXPECT_NE(back.m_pVertexBuffer, nullptr);
}

TEST_F(SimpleModelLoad, MissingOrUndecodableTextureLeavesTheMeshUntexturedSilently)
{
    SimpleModel model;
    DiagnosticCapture capture;
    ASSERT_TRUE(model.Load(Write(TwoMaterials())));
    EXPECT_EQ(model.GetMaterials().front().m_Meshes.front().m_pTexture, nullptr);
    EXPECT_TRUE(capture.Asserts().empty());
    EXPECT_TRUE(capture.Logs().empty());

    HalvexTest::WriteFile(dir / "_Tex_" / "wood.dds", "not an image");
    ASSERT_TRUE(model.Load(Write(TwoMaterials())));
    EXPECT_EQ(model.GetMaterials().front().m_Meshes.front().m_pTexture, nullptr);
    EXPECT_EQ(Live(RES_TYPE_TEXTURE), 0u);
}

TEST_F(SimpleModelLoad, ReloadReleasesThePreviousResourcesFirst)
{
    HalvexTest::WriteFile(dir / "_Tex_" / "wood.dds", FakeRenderDevice::TextureFile(8, 8));
    SimpleModel model;
    ASSERT_TRUE(model.Load(Write(TwoMaterials())));
    EXPECT_EQ(Live(RES_TYPE_VERTEX_BUFFER), 2u);
    EXPECT_EQ(Live(RES_TYPE_INDEX_BUFFER), 1u);
    EXPECT_EQ(Live(RES_TYPE_TEXTURE), 1u);
    ASSERT_TRUE(model.Load(Write(TwoMaterials())));
    EXPECT_EQ(Live(RES_TYPE_VERTEX_BUFFER), 2u);
    EXPECT_EQ(Live(RES_TYPE_INDEX_BUFFER), 1u);
    EXPECT_EQ(Live(RES_TYPE_TEXTURE), 1u);
}

TEST_F(SimpleModelLoad, FailedLoadKeepsThePreviousContent)
{
    SimpleModel model;
    ASSERT_TRUE(model.Load(Write(TwoMaterials())));
    const Render_Mesh* pFront = &model.GetMaterials().front().m_Meshes.front();

    DiagnosticCapture capture;
    EXPECT_FALSE(model.Load(Write(TwoMaterials().substr(0, 40), "short.bin")));
    EXPECT_FALSE(model.Load(Write(ModelFile().Int(0).Int(0).Int(-5).Bytes(), "neg.bin")));
    EXPECT_FALSE(model.Load((dir / "absent.bin").string()));
    EXPECT_EQ(capture.Logs().size(), 3u);
    EXPECT_TRUE(capture.Logged("absent.bin"));
    EXPECT_EQ(model.GetName(), "box");
    EXPECT_EQ(&model.GetMaterials().front().m_Meshes.front(), pFront);
    EXPECT_EQ(Live(RES_TYPE_VERTEX_BUFFER), 2u);
}

TEST_F(SimpleModelLoad, ThreeZeroIntsLoadAnEmptyModel)
{
    SimpleModel model;
    ASSERT_TRUE(model.Load(Write(TwoMaterials())));
    ASSERT_TRUE(model.Load(Write(ModelFile().Int(0).Int(0).Int(0).Bytes())));
    EXPECT_TRUE(model.GetMaterials().empty());
    EXPECT_EQ(Live(RES_TYPE_VERTEX_BUFFER), 0u);
}

TEST_F(SimpleModelLoad, MoreThan65536VerticesGetThirtyTwoBitIndices)
{
    std::vector<Bin_Vertex> vertices(70000, ModelFile::MakeVertex(0, 0, 0));
    ModelFile file;
    file.Int(0).Int(0).Int(1).Text("m").Int(1);
    file.Material("big", "", vertices, {0, 65536, 69999});
    SimpleModel model;
    ASSERT_TRUE(model.Load(Write(file.Bytes())));
    const Render_Mesh& mesh = model.GetMaterials().front().m_Meshes.front();
    ASSERT_NE(mesh.m_pIndexBuffer, nullptr);
    EXPECT_EQ(mesh.m_pIndexBuffer->GetIndexSize(), 4);
    const std::vector<uint8_t>& bytes = device->BufferBytes(mesh.m_pIndexBuffer.get());
    ASSERT_EQ(bytes.size(), 12u);
    uint32_t indices[3];
    std::memcpy(indices, bytes.data(), sizeof(indices));
    EXPECT_EQ(indices[1], 65536u);
    EXPECT_EQ(indices[2], 69999u);
}

TEST(TextureManager, OwnsWhatItCachesAndReplacesByName)
{
    FakeDeviceScope device;
    {
        TextureManager cache;
        EXPECT_EQ(cache.Find("a"), nullptr);
        Texture* pFirst = cache.Add("a", std::make_unique<Texture>());
        EXPECT_EQ(cache.Find("a"), pFirst);
        cache.Add("a", std::make_unique<Texture>());
        EXPECT_EQ(cache.GetCount(), 1u);
        EXPECT_EQ(device->GetResourceProfiler()->GetResources(RES_TYPE_TEXTURE).size(), 1u);
    }
    EXPECT_TRUE(device->GetResourceProfiler()->GetResources(RES_TYPE_TEXTURE).empty());
}
