// The profiler lists each live resource under its type, in order of creation.

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
    Texture first;
    auto pMiddle = std::make_unique<Texture>();
    Texture last;
    VertexBuffer vertices;
    IndexBuffer indices;
    ShaderProgram program;
    VertexShader vertexShader;
    PixelShader pixelShader;
    const std::pair<int, Resource*> kinds[] = {
        {RES_TYPE_VERTEX_BUFFER, &vertices},   {RES_TYPE_INDEX_BUFFER, &indices},
        {RES_TYPE_SHADER_PROGRAM, &program},   {RES_TYPE_VERTEX_SHADER, &vertexShader},
        {RES_TYPE_PIXEL_SHADER, &pixelShader},
    };
    for (const auto& [type, pResource] : kinds)
    {
        EXPECT_EQ(profiler.GetResources(type), std::vector<Resource*>{pResource}) << type;
    }
    ASSERT_TRUE(first.Create(TEX_2D, 4, 4, 1, FMT_A8R8G8B8, 1, POOL_MANAGED, 0));
    ASSERT_TRUE(last.Create(TEX_2D, 2, 2, 1, FMT_L8, 1, POOL_MANAGED, 0));
    // A type change moves the resource; removal keeps the others in order.
    pMiddle->SetType(4);
    EXPECT_EQ(profiler.GetResources(4), std::vector<Resource*>{pMiddle.get()});
    pMiddle.reset();
    EXPECT_TRUE(profiler.GetResources(4).empty());
    EXPECT_EQ(profiler.GetResources(RES_TYPE_TEXTURE), (std::vector<Resource*>{&first, &last}));
    EXPECT_EQ(profiler.GetTotalSize(RES_TYPE_TEXTURE), 64u + 4u);

    DiagnosticCapture capture;
    profiler.Register(nullptr, RES_TYPE_TEXTURE);
    profiler.Register(&first, RES_TYPE_MAX);
    profiler.Register(&first, -1);
    profiler.Unregister(nullptr);
    EXPECT_EQ(capture.Asserts().size(), 4u);
    EXPECT_EQ(profiler.GetResources(RES_TYPE_TEXTURE).size(), 2u);
}
