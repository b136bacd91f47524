#include "rendercoretest.h"

#include "rendercore/source/resource/indexbuffer.h"
#include "rendercore/source/resource/pixelshader.h"
#include "rendercore/source/resource/resourceprofiler.h"
#include "rendercore/source/resource/shaderprogram.h"
#include "rendercore/source/resource/texture.h"
#include "rendercore/source/resource/vertexbuffer.h"
#include "rendercore/source/resource/vertexshader.h"

#include <memory>

using namespace HalvexTest;
using Halvex::Base::DiagnosticCapture;

using ResourceProfilerTest = RenderCoreTest;

TEST_F(ResourceProfilerTest, EachResourceIsListedUnderItsTypeWhileItLives)
{
    ResourceProfiler& profiler = *m_Device.GetResourceProfiler();
    auto pTexture = std::make_unique<Texture>();
    auto pVertexBuf = std::make_unique<VertexBuffer>();
    auto pIndexBuf = std::make_unique<IndexBuffer>();
    auto pProgram = std::make_unique<ShaderProgram>();
    auto pVertexShader = std::make_unique<VertexShader>();
    auto pPixelShader = std::make_unique<PixelShader>();
    const std::pair<int, Resource*> expected[] = {
        {RES_TYPE_TEXTURE, pTexture.get()},
        {RES_TYPE_VERTEX_BUFFER, pVertexBuf.get()},
        {RES_TYPE_INDEX_BUFFER, pIndexBuf.get()},
        {RES_TYPE_SHADER_PROGRAM, pProgram.get()},
        {RES_TYPE_VERTEX_SHADER, pVertexShader.get()},
        {RES_TYPE_PIXEL_SHADER, pPixelShader.get()},
    };
    for (const auto& [type, pRes] : expected)
    {
        EXPECT_EQ(pRes->GetType(), type);
        EXPECT_EQ(profiler.GetResources(type), std::vector<Resource*>{pRes}) << type;
    }

    pVertexBuf.reset();
    EXPECT_TRUE(profiler.GetResources(RES_TYPE_VERTEX_BUFFER).empty());
    EXPECT_EQ(profiler.GetResources(RES_TYPE_TEXTURE).size(), 1u);
    pTexture.reset();
    pPixelShader.reset();
    EXPECT_TRUE(profiler.GetResources(RES_TYPE_TEXTURE).empty());
    EXPECT_TRUE(profiler.GetResources(RES_TYPE_PIXEL_SHADER).empty());
    EXPECT_EQ(profiler.GetResources(RES_TYPE_VERTEX_SHADER).size(), 1u);
}

TEST_F(ResourceProfilerTest, RemovalKeepsTheOthersInOrderCountsSizesAndSetTypeMoves)
{
    ResourceProfiler& profiler = *m_Device.GetResourceProfiler();
    Texture first;
    auto pMiddle = std::make_unique<Texture>();
    Texture last;
    ASSERT_TRUE(first.Create(TEX_2D, 4, 4, 1, FMT_A8R8G8B8, 1, POOL_MANAGED, 0));
    ASSERT_TRUE(last.Create(TEX_2D, 2, 2, 1, FMT_L8, 1, POOL_MANAGED, 0));
    pMiddle->SetType(4);
    EXPECT_EQ(profiler.GetResources(4), std::vector<Resource*>{pMiddle.get()});
    pMiddle.reset();
    EXPECT_TRUE(profiler.GetResources(4).empty());
    EXPECT_EQ(profiler.GetResources(RES_TYPE_TEXTURE), (std::vector<Resource*>{&first, &last}));
    EXPECT_EQ(profiler.GetTotalSize(RES_TYPE_TEXTURE), 64u + 4u);
}

TEST_F(ResourceProfilerTest, NullResourceOrTypeOutsideTheRangeAsserts)
{
    ResourceProfiler& profiler = *m_Device.GetResourceProfiler();
    Texture tex;
    DiagnosticCapture capture;
    profiler.Register(nullptr, RES_TYPE_TEXTURE);
    profiler.Register(&tex, RES_TYPE_MAX);
    profiler.Register(&tex, -1);
    profiler.Unregister(nullptr);
    const char* expected[] = {"pRes", "type >= 0 && type < RES_TYPE_MAX",
                              "type >= 0 && type < RES_TYPE_MAX", "pRes"};
    ASSERT_EQ(capture.Asserts().size(), 4u);
    for (int i = 0; i < 4; ++i)
    {
        EXPECT_EQ(capture.Asserts()[i].expression, expected[i]) << i;
    }
    EXPECT_EQ(capture.Asserts()[0].source, "src/rendercore/source/resource/resourceprofiler");
    EXPECT_EQ(profiler.GetResources(RES_TYPE_TEXTURE).size(), 1u);
}
