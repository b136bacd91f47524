// The current device, shader locks and the render-target bracket's misuse.

#include "rendercoretest.h"

#include "rendercore/source/renderdevice/rendertargetbracket.h"
#include "rendercore/source/resource/pixelshader.h"
#include "rendercore/source/resource/vertexshader.h"

using namespace HalvexTest;
using Halvex::Base::DiagnosticCapture;

TEST(RenderDeviceGlobal, SecondSetRenderDeviceIsRefusedAndReleaseShutsTheFirstDownOnce)
{
    FakeRenderDevice first;
    FakeRenderDevice second;
    ASSERT_TRUE(SetRenderDevice(&first));
    EXPECT_FALSE(SetRenderDevice(&second));
    EXPECT_EQ(GetRenderDevice(), &first);
    EXPECT_EQ(first.CallCount("Initialize") + second.CallCount("Initialize"), 1);

    ReleaseRenderDevice();
    ReleaseRenderDevice();
    EXPECT_EQ(GetRenderDevice(), nullptr);
    EXPECT_EQ(first.CallCount("Shutdown"), 1);
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
    EXPECT_TRUE(capture.Raised("pPair"));
    EXPECT_EQ(capture.Asserts().size(), 2u);
    // The unmatched unlock does not weaken the next lock.
    m_Device.LockShader(&locked);
    m_Device.SetShaders(&otherVS, &otherPS);
    EXPECT_EQ(m_Device.GetVertexShader(), &lockedVS);
    m_Device.UnlockShader();
}

TEST_F(RenderCoreTest, RenderTargetBracketWithoutASetOrABeginBindsNothing)
{
    RenderTargetBracket bracket(&m_Device);
    m_Device.m_Calls.clear();
    DiagnosticCapture capture;
    bracket.Begin(nullptr);
    bracket.End(true);
    EXPECT_TRUE(capture.Raised("pSet"));
    EXPECT_TRUE(capture.Raised("m_Active"));
    EXPECT_TRUE(m_Device.m_Calls.empty());
}
