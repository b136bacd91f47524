#include "rendercoretest.h"

#include "rendercore/source/common/inputlayout.h"
#include "rendercore/source/resource/pixelshader.h"
#include "rendercore/source/resource/vertexshader.h"

using namespace HalvexTest;
using Halvex::Base::DiagnosticCapture;

TEST(RenderDeviceGlobal, SecondSetRenderDeviceIsRefusedAndInitializesNothing)
{
    FakeRenderDevice first;
    FakeRenderDevice second;
    ASSERT_TRUE(SetRenderDevice(&first));
    EXPECT_FALSE(SetRenderDevice(&second));
    EXPECT_EQ(GetRenderDevice(), &first);
    EXPECT_EQ(first.CallCount("Initialize"), 1);
    EXPECT_EQ(second.CallCount("Initialize"), 0);

    ReleaseRenderDevice();
    EXPECT_EQ(GetRenderDevice(), nullptr);
    EXPECT_EQ(first.CallCount("Shutdown"), 1);
    EXPECT_EQ(first.GetResourceProfiler(), nullptr);
    ReleaseRenderDevice();
    EXPECT_EQ(first.CallCount("Shutdown"), 1);
}

TEST_F(RenderCoreTest, InitializeAppliesDefaultRenderStatesInOrder)
{
    const std::vector<std::pair<RenderStateType, uint32_t>> expected = {
        {RS_FILL_MODE, FILL_SOLID},
        {RS_SHADE_MODE, SHADE_GOURAUD},
        {RS_CULL_MODE, CULL_CCW},
        {RS_Z_ENABLE, 1},
        {RS_Z_FUNC, CMP_LESS_EQUAL},
        {RS_Z_WRITE_ENABLE, 1},
        {RS_ALPHA_TEST_ENABLE, 0},
        {RS_ALPHA_BLEND_ENABLE, 0},
        {RS_SRC_BLEND, BLEND_SRC_ALPHA},
        {RS_DEST_BLEND, BLEND_INV_SRC_ALPHA},
        {RS_ALPHA_FUNC, CMP_ALWAYS},
        {RS_ALPHA_REF, 0},
        {RS_STENCIL_ENABLE, 0},
        {RS_STENCIL_FAIL, STENCIL_OP_KEEP},
        {RS_STENCIL_Z_FAIL, STENCIL_OP_KEEP},
        {RS_STENCIL_PASS, STENCIL_OP_KEEP},
        {RS_STENCIL_FUNC, CMP_ALWAYS},
        {RS_STENCIL_REF, 0},
        {RS_STENCIL_MASK, 255},
        {RS_STENCIL_WRITE_MASK, 255},
        {RS_COLOR_WRITE_ENABLE, 15},
        {RS_MULTISAMPLE_ANTIALIAS, 0},
        {RS_POINT_SIZE, 1},
    };
    std::vector<std::string> calls = {"Initialize"};
    for (const auto& [state, value] : expected)
    {
        calls.push_back("State " + std::to_string(state) + " " + std::to_string(value));
    }
    EXPECT_EQ(m_Device.m_Calls, calls);
}

class ShaderLockTest : public RenderCoreTest
{
protected:
    VertexShader m_LockedVS;
    PixelShader m_LockedPS;
    VertexShader m_OtherVS;
    PixelShader m_OtherPS;
    ShaderPair m_Locked{&m_LockedVS, &m_LockedPS};
};

TEST_F(ShaderLockTest, LockedPairSurvivesSetShadersAndNestedLocksNeedAsManyUnlocks)
{
    ShaderPair other{&m_OtherVS, &m_OtherPS};
    m_Device.LockShader(&m_Locked);
    m_Device.LockShader(&other);
    m_Device.SetShaders(&m_OtherVS, &m_OtherPS);
    m_Device.ResetShaders();
    EXPECT_EQ(m_Device.GetVertexShader(), &m_LockedVS);
    EXPECT_EQ(m_Device.GetPixelShader(), &m_LockedPS);
    m_Device.UnlockShader();
    EXPECT_TRUE(m_Device.IsShaderLocked());
    m_Device.SetShaders(&other);
    EXPECT_EQ(m_Device.GetVertexShader(), &m_LockedVS);

    m_Device.UnlockShader();
    EXPECT_FALSE(m_Device.IsShaderLocked());
    EXPECT_EQ(m_Device.GetPixelShader(), nullptr); // the last unlock unbinds
    m_Device.SetShaders(&other);
    m_Device.SetShaders(nullptr, nullptr); // ignored
    EXPECT_EQ(m_Device.GetVertexShader(), &m_OtherVS);
}

TEST_F(ShaderLockTest, UnlockWithoutLockReportsZeroAndLockWithoutAPairAsserts)
{
    DiagnosticCapture capture;
    m_Device.UnlockShader();
    ASSERT_EQ(capture.Logs().size(), 2u); // the message, then the assertion's own line
    EXPECT_EQ(capture.Logs()[0].module, "RENDER_CORE");
    EXPECT_EQ(capture.Logs()[0].level, Halvex::Base::LOG_LEVEL_ERROR);
    EXPECT_EQ(capture.Logs()[0].message, "After UnlockShader, Shader Lock Counter can not be < 0, "
                                         "but now Shader Lock Counter is 0");
    EXPECT_EQ(OnlyAssert(capture).source, "src/rendercore/source/renderdevice/renderdevice");

    capture.Clear();
    m_Device.LockShader(nullptr);
    EXPECT_EQ(OnlyAssert(capture).expression, "pPair");
    EXPECT_FALSE(m_Device.IsShaderLocked());

    // The unmatched unlock must not weaken the next lock.
    m_Device.LockShader(&m_Locked);
    m_Device.SetShaders(&m_OtherVS, &m_OtherPS);
    EXPECT_EQ(m_Device.GetVertexShader(), &m_LockedVS);
    m_Device.UnlockShader();
    EXPECT_EQ(capture.Asserts().size(), 1u);
}

TEST_F(RenderCoreTest, CreateInputLayoutWithoutElementsAssertsAndShutdownDeletesPooledLayouts)
{
    DiagnosticCapture capture;
    InputLayout* pLayout = m_Device.CreateInputLayout(nullptr, 0);
    EXPECT_EQ(OnlyAssert(capture).expression, "elems && elemCount > 0");
    EXPECT_EQ(OnlyAssert(capture).source, "src/rendercore/source/renderdevice/renderdevice");
    ASSERT_NE(pLayout, nullptr);
    EXPECT_EQ(pLayout->GetStreamCount(), 0);

    const InputElementDesc_t elems[] = {{STREAM_0, 0, DECL_COLOR, METHOD_DEFAULT, USAGE_COLOR, 0},
                                        INPUT_ELEMENT_END};
    InputLayout* pFirst = m_Device.CreateInputLayout(elems, 2);
    EXPECT_EQ(m_Device.CreateInputLayout(elems, 2), pFirst);
    ReleaseRenderDevice();
    EXPECT_EQ(m_Device.CallCount("LoadInputLayout"), 1);
    EXPECT_EQ(m_Device.CallCount("UnloadInputLayout"), 1);
}
