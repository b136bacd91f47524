#include "ModelFile.h"
#include "fakerenderdevice.h"

#include "common/model/simplemodel.h"
#include "common/model/texturemanager.h"

#include "base/source/system/logger.h"
#include "rendercore/source/resource/resourceprofiler.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <tuple>

using namespace Halvex::RenderCore;
using Halvex::Base::DiagnosticCapture;
using HalvexTest::FakeRenderDevice;

namespace
{
class SimpleModelLoad : public HalvexTest::FakeDeviceTest
{
protected:
    std::string Write(const std::string& bytes, const std::string& name = "model.bin")
    {
        HalvexTest::WriteFile(dir / name, bytes);
        return (dir / name).string();
    }

    // The live vertex buffers, index buffers and textures.
    std::tuple<size_t, size_t, size_t> Live()
    {
        const ResourceProfiler& profiler = *m_Device.GetResourceProfiler();
        return {profiler.GetResources(RES_TYPE_VERTEX_BUFFER).size(),
                profiler.GetResources(RES_TYPE_INDEX_BUFFER).size(),
                profiler.GetResources(RES_TYPE_TEXTURE).size()};
    }

    HalvexTest::TempDir dir;
};
} // namespace

// The records become meshes with buffers and a texture; a reload releases the previous
// resources first; three zero ints are an empty model.
TEST_F(SimpleModelLoad, FileRecordsBecomeMaterialsWithBuffersAndTexture)
{
    HalvexTest::WriteFile(dir / "_Tex_" / "wood.dds", FakeRenderDevice::TextureFile(64, 32));
    SimpleModel model;
    ASSERT_TRUE(model.Load(Write(ModelFile::TwoMaterials())));
    ASSERT_EQ(model.GetMaterials().size(), 1u);
    const Render_Mat& material = model.GetMaterials().front();
    ASSERT_EQ(material.m_Meshes.size(), 2u);
    EXPECT_NE(material.m_Meshes.front().m_pTexture, nullptr);
    const Render_Mesh& back = material.m_Meshes.back();
    EXPECT_EQ((std::tuple{back.m_pTexture.get(), back.m_pIndexBuffer.get()}),
              (std::tuple{nullptr, nullptr}));
    EXPECT_NE(back.m_pVertexBuffer, nullptr);

    EXPECT_EQ(Live(), (std::tuple{2u, 1u, 1u}));
    ASSERT_TRUE(model.Load(Write(ModelFile::TwoMaterials())));
    EXPECT_EQ(Live(), (std::tuple{2u, 1u, 1u}));
    ASSERT_TRUE(model.Load(Write(ModelFile().Int(0).Int(0).Int(0).Bytes())));
    EXPECT_TRUE(model.GetMaterials().empty());
    EXPECT_EQ(Live(), (std::tuple{0u, 0u, 0u}));
}

// A missing or undecodable texture leaves the mesh untextured without a word; a failed
// load keeps the previous content.
TEST_F(SimpleModelLoad, BadTexturesAndFailedLoadsKeepWhatLoads)
{
    SimpleModel model;
    DiagnosticCapture capture;
    ASSERT_TRUE(model.Load(Write(ModelFile::TwoMaterials())));
    EXPECT_EQ(model.GetMaterials().front().m_Meshes.front().m_pTexture, nullptr);
    EXPECT_TRUE(capture.Asserts().empty());
    EXPECT_TRUE(capture.Logs().empty());
    HalvexTest::WriteFile(dir / "_Tex_" / "wood.dds", "not an image");
    ASSERT_TRUE(model.Load(Write(ModelFile::TwoMaterials())));
    const Render_Mesh* pFront = &model.GetMaterials().front().m_Meshes.front();
    EXPECT_EQ(pFront->m_pTexture, nullptr);

    capture.Clear();
    EXPECT_FALSE(model.Load(Write(ModelFile::TwoMaterials().substr(0, 40), "short.bin")));
    EXPECT_FALSE(model.Load(Write(ModelFile().Int(0).Int(0).Int(-5).Bytes(), "neg.bin")));
    EXPECT_FALSE(model.Load((dir / "absent.bin").string()));
    EXPECT_EQ(capture.Logs().size(), 3u);
    EXPECT_TRUE(capture.Logged("absent.bin"));
    EXPECT_EQ(model.GetName(), "box");
    EXPECT_EQ(&model.GetMaterials().front().m_Meshes.front(), pFront);
    EXPECT_EQ(Live(), (std::tuple{2u, 1u, 0u}));
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
    const std::vector<uint8_t>& bytes = m_Device.BufferBytes(mesh.m_pIndexBuffer.get());
    ASSERT_EQ(bytes.size(), 12u);
    std::vector<uint32_t> indices(3);
    std::memcpy(indices.data(), bytes.data(), bytes.size());
    EXPECT_EQ(indices, (std::vector<uint32_t>{0, 65536, 69999}));
}

TEST_F(SimpleModelLoad, TheTextureManagerOwnsWhatItCachesAndReplacesByName)
{
    {
        TextureManager cache;
        EXPECT_EQ(cache.Find("a"), nullptr);
        Texture* pFirst = cache.Add("a", std::make_unique<Texture>());
        EXPECT_EQ(cache.Find("a"), pFirst);
        cache.Add("a", std::make_unique<Texture>());
        EXPECT_EQ(cache.GetCount(), 1u);
        EXPECT_EQ(std::get<2>(Live()), 1u);
    }
    EXPECT_EQ(std::get<2>(Live()), 0u);
}
