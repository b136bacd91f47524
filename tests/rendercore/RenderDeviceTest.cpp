// The current device, shader locks, the render-target bracket's misuse and the profiler,
// which lists each live resource under its type, in order of creation.

#include "rendercoretest.h"

#include "rendercore/source/renderdevice/rendertargetbracket.h"
#include "rendercore/source/resource/resourceprofiler.h"
#include "rendercore/source/resource/shaderprogram.h"

#include <memory>

using namespace HalvexTest;
using Halvex::Base::DiagnosticCapture;

TEST(RenderDeviceGlobal, SecondSetRenderDeviceIsRefusedAndReleaseShutsTheFirstDownOnce)
{
    FakeRenderDevice first;
    FakeRenderDevice second;
    ASSERT_TRUE(SetRenderDevice(&first));
    EXPECT_FALSE(SetRenderDevice(&second));
    EXPECT_EQ(GetRenderDevice(), &first);
    ReleaseRenderDevice();
    ReleaseRenderDevice();
    EXPECT_EQ(GetRenderDevice(), nullptr);
    EXPECT_EQ(first.m_Counts, (Counts{{"Initialize", 1}, {"Shutdown", 1}}));
    EXPECT_TRUE(second.m_Counts.empty());
    EXPECT_EQ(first.GetResourceProfiler(), nullptr);
}

TEST_F(RenderCoreTest, NestedShaderLocksNeedAsManyUnlocksAndAnUnmatchedUnlockIsReported)
{
    VertexShader lockedVS, otherVS;
    PixelShader lockedPS, otherPS;
    const ShaderPair locked{&lockedVS, &lockedPS};
    m_Device.LockShader(&locked);
    m_Device.LockShader(&locked);
    m_Device.UnlockShader();
    EXPECT_TRUE(m_Device.IsShaderLocked());
    m_Device.SetShaders(&otherVS, &otherPS);
    EXPECT_EQ(m_Device.GetVertexShader(), &lockedVS);
    m_Device.UnlockShader();
    EXPECT_FALSE(m_Device.IsShaderLocked());
    EXPECT_EQ(m_Device.GetPixelShader(), nullptr); // the last unlock unbinds

    DiagnosticCapture capture;
    m_Device.UnlockShader();
    EXPECT_TRUE(capture.Logged("Shader Lock Counter can not be < 0, but now Shader Lock Counter "
                               "is 0"));
    m_Device.LockShader(nullptr);
    EXPECT_EQ(Raised(capture).size(), 2u);
    EXPECT_TRUE(capture.Raised("pPair"));
    // The unmatched unlock does not weaken the next lock.
    m_Device.LockShader(&locked);
    m_Device.SetShaders(&otherVS, &otherPS);
    EXPECT_EQ(m_Device.GetVertexShader(), &lockedVS);
    m_Device.UnlockShader();
}

TEST_F(RenderCoreTest, RenderTargetBracketWithoutASetOrABeginBindsNothing)
{
    RenderTargetBracket bracket(&m_Device);
    m_Device.m_Counts.clear();
    DiagnosticCapture capture;
    bracket.Begin(nullptr);
    bracket.End(true);
    EXPECT_TRUE(capture.Raised("pSet"));
    EXPECT_TRUE(capture.Raised("m_Active"));
    EXPECT_TRUE(m_Device.m_Counts.empty());
}

TEST_F(RenderCoreTest, TheProfilerListsEachResourceUnderItsTypeWhileItLives)
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
    EXPECT_EQ(Raised(capture).size(), 4u);
    EXPECT_EQ(profiler.GetResources(RES_TYPE_TEXTURE).size(), 2u);
}
