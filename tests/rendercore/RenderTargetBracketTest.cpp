#include "rendercoretest.h"

#include "rendercore/source/renderdevice/rendertargetbracket.h"
#include "rendercore/source/resource/resourceprofiler.h"
#include "rendercore/source/resource/texture.h"

using namespace HalvexTest;
using Halvex::Base::DiagnosticCapture;

class RenderTargetBracketTest : public RenderCoreTest
{
protected:
    void SetUp() override
    {
        RenderCoreTest::SetUp();
        m_pBracket = std::make_unique<RenderTargetBracket>(&m_Device);
        m_Color.SetUserData(m_Device.NewToken());
        m_Depth.SetUserData(m_Device.NewToken());
        m_Set.m_pColor[0] = &m_Color;
        m_Set.m_pDepthStencil = &m_Depth;
        m_BackBuffer = m_Device.m_BoundTarget[0];
        m_BackDepth = m_Device.m_BoundDepth;
        m_Device.m_Calls.clear();
    }
    void TearDown() override
    {
        m_Color.SetUserData(nullptr);
        m_Depth.SetUserData(nullptr);
        m_pBracket.reset();
        RenderCoreTest::TearDown();
    }

    std::unique_ptr<RenderTargetBracket> m_pBracket;
    Texture m_Color;
    Texture m_Depth;
    RenderTargetSet m_Set;
    void* m_BackBuffer = nullptr;
    void* m_BackDepth = nullptr;
};

TEST_F(RenderTargetBracketTest, PlaceholdersAreFivePlainTextures)
{
    // Two fixture textures, which are constructed before the device is current, are not
    // counted; the placeholders are.
    EXPECT_EQ(m_Device.GetResourceProfiler()->GetResources(RES_TYPE_TEXTURE).size(), 5u);
    m_pBracket.reset();
    EXPECT_TRUE(m_Device.GetResourceProfiler()->GetResources(RES_TYPE_TEXTURE).empty());
}

TEST_F(RenderTargetBracketTest, BeginSavesEveryTargetBeforeBindingTheSet)
{
    m_pBracket->Begin(&m_Set);
    const std::vector<std::string> expected = {
        "GetRenderTarget 0",      "GetRenderTarget 1",     "GetRenderTarget 2", "GetRenderTarget 3",
        "GetDepthStencilSurface", "SetRenderTarget 0",     "SetRenderTarget 1", "SetRenderTarget 2",
        "SetRenderTarget 3",      "SetDepthStencilSurface"};
    EXPECT_EQ(m_Device.m_Calls, expected);
    EXPECT_EQ(m_Device.m_BoundTarget[0], m_Color.GetUserData());
    EXPECT_EQ(m_Device.m_BoundTarget[1], nullptr);
    EXPECT_EQ(m_Device.m_BoundDepth, m_Depth.GetUserData());
}

TEST_F(RenderTargetBracketTest, EndRestoresSavedTargetsAfterResolvingTheSetIfAsked)
{
    for (bool resolve : {false, true})
    {
        m_pBracket->Begin(&m_Set);
        m_Device.m_Calls.clear();
        m_pBracket->End(resolve);
        std::vector<std::string> expected = {"RestoreRenderTarget 0", "RestoreRenderTarget 1",
                                             "RestoreRenderTarget 2", "RestoreRenderTarget 3",
                                             "RestoreDepthStencilSurface"};
        if (resolve)
        {
            expected.insert(expected.begin(), {"ResolveRenderTarget 0", "ResolveRenderTarget 1",
                                               "ResolveRenderTarget 2", "ResolveRenderTarget 3",
                                               "ResolveDepthStencilSurface"});
        }
        EXPECT_EQ(m_Device.m_Calls, expected) << resolve;
        EXPECT_EQ(m_Device.m_BoundTarget[0], m_BackBuffer);
        EXPECT_EQ(m_Device.m_BoundDepth, m_BackDepth);
    }
}

TEST_F(RenderTargetBracketTest, NullSetOrEndWithoutBeginAssertsAndBindsNothing)
{
    DiagnosticCapture capture;
    m_pBracket->Begin(nullptr);
    EXPECT_TRUE(capture.Raised("pSet"));
    m_pBracket->End(true);
    EXPECT_TRUE(capture.Raised("m_Active"));
    EXPECT_TRUE(m_Device.m_Calls.empty());
    EXPECT_EQ(m_Device.m_BoundTarget[0], m_BackBuffer);

    m_pBracket->Begin(&m_Set);
    m_pBracket->End(false);
    m_Device.m_Calls.clear();
    m_pBracket->End(false);
    EXPECT_TRUE(m_Device.m_Calls.empty());
}
