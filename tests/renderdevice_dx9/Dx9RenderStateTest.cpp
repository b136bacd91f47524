#include "dx9testfixture.h"

#include "rendercore/source/resource/texture.h"

#include <cstring>

using namespace Halvex::RenderCore;
using Halvex::Base::DiagnosticCapture;

namespace Dx9Test
{
namespace
{
std::string NativeState(DWORD state, DWORD value)
{
    return "SetRenderState(" + std::to_string(state) + "," + std::to_string(value) + ")";
}

DWORD FloatBits(float value)
{
    DWORD bits = 0;
    std::memcpy(&bits, &value, sizeof(bits));
    return bits;
}
} // namespace

using Dx9RenderStateTest = Dx9DeviceTest;

TEST_F(Dx9RenderStateTest, InitializeUnbindsEverythingAndAppliesEveryDefault)
{
    const CallLog& log = m_InitializeLog;
    EXPECT_TRUE(log.Has("SetVertexDeclaration(null)"));
    EXPECT_EQ(log.Count("SetStreamSource("), 4u);
    EXPECT_TRUE(log.Has("SetIndices(null)"));
    EXPECT_EQ(log.Count("SetTexture("), 20u);
    EXPECT_TRUE(log.Has("SetTexture(260,null)"));
    EXPECT_TRUE(log.Has("SetVertexShader(null)"));
    EXPECT_TRUE(log.Has("SetPixelShader(null)"));
    EXPECT_EQ(log.Count("SetRenderState("), static_cast<size_t>(RS_MAX));
    // Values that go through a conversion on their way out.
    for (const std::string& call : {NativeState(D3DRS_ZFUNC, D3DCMP_LESSEQUAL),
                                    NativeState(D3DRS_POINTSIZE, FloatBits(1.0f))})
    {
        EXPECT_TRUE(log.Has(call)) << call;
    }
}

TEST_F(Dx9RenderStateTest, RedundantRenderStateMakesNoNativeCall)
{
    Device().SetRenderState(RS_CULL_MODE, CULL_NONE);
    Device().SetRenderState(RS_CULL_MODE, CULL_NONE);
    Device().SetRenderState(RS_FILL_MODE, FILL_SOLID); // the default
    EXPECT_EQ(m_Log.Calls(), std::vector<std::string>{NativeState(D3DRS_CULLMODE, D3DCULL_NONE)});
}

TEST_F(Dx9RenderStateTest, AfterResetEveryRenderStateReachesTheDeviceAgain)
{
    for (int state = 0; state < RS_MAX; ++state)
    {
        Device().SetRenderState(static_cast<RenderStateType>(state), 1);
    }
    DeviceSetting setting;
    Device().GetDeviceSetting(&setting);
    ASSERT_TRUE(Device().ResetDevice(&setting, nullptr, nullptr));
    m_Log.Clear();
    for (int state = 0; state < RS_MAX; ++state)
    {
        Device().SetRenderState(static_cast<RenderStateType>(state), 1);
    }
    EXPECT_EQ(m_Log.Count("SetRenderState("), static_cast<size_t>(RS_MAX));
}

TEST_F(Dx9RenderStateTest, CheckDeviceResetsOnlyWhenTheDeviceCanBeReset)
{
    Device().SetRenderState(RS_STENCIL_REF, 3);
    Native().m_CooperativeLevel = D3DERR_DEVICELOST;
    EXPECT_FALSE(Device().CheckDevice(nullptr, nullptr));
    EXPECT_EQ(m_Log.Count("Reset("), 0u);

    Native().m_CooperativeLevel = D3DERR_DEVICENOTRESET;
    EXPECT_TRUE(Device().CheckDevice(nullptr, nullptr));
    EXPECT_EQ(m_Log.Count("Reset("), 1u);
    m_Log.Clear();
    Device().SetRenderState(RS_STENCIL_REF, 3);
    EXPECT_TRUE(m_Log.Has(NativeState(D3DRS_STENCILREF, 3)));

    Native().m_CooperativeLevel = D3D_OK;
    EXPECT_TRUE(Device().CheckDevice(nullptr, nullptr));
    Native().m_CooperativeLevel = D3DERR_DRIVERINTERNALERROR;
    EXPECT_FALSE(Device().CheckDevice(nullptr, nullptr));
}

TEST_F(Dx9RenderStateTest, ResetDeviceStoresTheSettingButOnlyWindowedReachesTheDevice)
{
    DeviceSetting setting;
    Device().GetDeviceSetting(&setting);
    setting.m_Windowed = false;
    setting.m_Width = 800;
    ASSERT_TRUE(Device().ResetDevice(&setting, nullptr, nullptr));
    EXPECT_EQ(Native().m_LastReset.Windowed, FALSE);
    EXPECT_EQ(Native().m_LastReset.BackBufferWidth, static_cast<UINT>(BACK_BUFFER_WIDTH));
    DeviceSetting stored;
    Device().GetDeviceSetting(&stored);
    EXPECT_EQ(stored.m_Width, 800);
    EXPECT_FALSE(stored.m_Windowed);

    Native().m_ResetResult = D3DERR_DEVICELOST;
    setting.m_Width = 1024;
    EXPECT_FALSE(Device().ResetDevice(&setting, nullptr, nullptr));
    Device().GetDeviceSetting(&stored);
    EXPECT_EQ(stored.m_Width, 800);

    DiagnosticCapture capture;
    Device().ResetDevice(nullptr, nullptr, nullptr);
    EXPECT_TRUE(capture.Raised("pInfo"));
}

TEST_F(Dx9RenderStateTest, UnknownRenderStateIsLoggedAndChangesNothing)
{
    DiagnosticCapture capture;
    Device().SetRenderState(static_cast<RenderStateType>(23), 5);
    EXPECT_TRUE(capture.Logged("Unknown Render State: 23, Value: 5"));
    ASSERT_EQ(capture.Asserts().size(), 1u);
    EXPECT_EQ(capture.Asserts()[0].source, "src/renderdevice_dx9/source/dx9_renderdevice");
    EXPECT_TRUE(m_Log.Calls().empty());

    uint32_t value = 7;
    Device().GetRenderState(static_cast<RenderStateType>(30), &value);
    EXPECT_EQ(value, 0u);
    EXPECT_TRUE(capture.Logged("Unknown Render State: 30"));
}

TEST_F(Dx9RenderStateTest, RenderStatesReadBackAsEngineOrNativeValues)
{
    Device().SetRenderState(RS_Z_FUNC, CMP_GREATER);
    uint32_t value = 0;
    Device().GetRenderState(RS_Z_FUNC, &value);
    EXPECT_EQ(value, static_cast<uint32_t>(CMP_GREATER));
    Device().GetNativeRenderState(RS_Z_FUNC, &value);
    EXPECT_EQ(value, static_cast<uint32_t>(D3DCMP_GREATER));
}

TEST_F(Dx9RenderStateTest, NativeRenderStateBypassesTheCacheAndInvalidatesIt)
{
    Device().SetNativeRenderState(RS_CULL_MODE, D3DCULL_CW);
    EXPECT_TRUE(m_Log.Has(NativeState(D3DRS_CULLMODE, D3DCULL_CW)));
    m_Log.Clear();
    Device().SetRenderState(RS_CULL_MODE, CULL_CCW); // cached before, changed natively since
    EXPECT_TRUE(m_Log.Has(NativeState(D3DRS_CULLMODE, D3DCULL_CCW)));
}

TEST_F(Dx9RenderStateTest, ClearMapsFlagsAndSkipsAnEmptyClear)
{
    Device().Clear(0, 0xFF00FF00, 1.0f, 0);
    EXPECT_TRUE(m_Log.Calls().empty());
    Device().Clear(CLEAR_TARGET | CLEAR_STENCIL, 0xFF00FF00, 0.5f, 3);
    EXPECT_EQ(m_Log.Calls(), std::vector<std::string>{"Clear(0,null,5,4278255360,0.5,3)"});
}

TEST_F(Dx9RenderStateTest, ScissorOfZeroWidthDisablesTheTestAndStillRecordsTheRectangle)
{
    const float empty[4] = {10.0f, 20.0f, 0.0f, 5.0f};
    Device().SetScissorRect(empty);
    EXPECT_EQ(m_Log.Calls(), (std::vector<std::string>{NativeState(D3DRS_SCISSORTESTENABLE, 0),
                                                       "SetScissorRect(10,20,10,25)"}));
    Rect_t rect = Device().GetScissorRect();
    EXPECT_EQ(rect.m_X, 10.0f);
    EXPECT_EQ(rect.m_Width, 0.0f);
    EXPECT_EQ(rect.m_Height, 5.0f);

    m_Log.Clear();
    const float area[4] = {10.5f, 20.0f, 30.0f, 40.0f};
    Device().SetScissorRect(area);
    EXPECT_EQ(m_Log.Calls(), (std::vector<std::string>{NativeState(D3DRS_SCISSORTESTENABLE, 1),
                                                       "SetScissorRect(10,20,40,60)"}));
}

TEST_F(Dx9RenderStateTest, ViewportTruncatesTowardZeroWithFullDepthRange)
{
    const float viewport[4] = {1.9f, 2.5f, 100.7f, 50.2f};
    Device().SetViewport(viewport);
    EXPECT_EQ(m_Log.Calls(), std::vector<std::string>{"SetViewport(1,2,100,50,0,1)"});
    const Rect_t rect = Device().GetViewport();
    EXPECT_EQ(rect.m_Width, 100.0f);
    EXPECT_EQ(rect.m_Height, 50.0f);
}

TEST_F(Dx9RenderStateTest, CapsComeFromTheNativeCapsOnceAndAreCopiedAfterwards)
{
    Native().m_Caps.MaxTextureWidth = 4096;
    Native().m_Caps.MaxTextureHeight = 2048;
    Native().m_Caps.MaxPrimitiveCount = 1000;
    Native().m_Caps.MaxStreams = 16;
    Native().m_Caps.MaxVertexShaderConst = 256;
    Native().m_Caps.PixelShaderVersion = D3DPS_VERSION(3, 0);
    const int readsBefore = Native().m_CapsReads;
    DeviceCaps caps;
    Device().GetDeviceCaps(&caps);
    Device().GetDeviceCaps(&caps);
    EXPECT_EQ(Native().m_CapsReads, readsBefore + 1);
    EXPECT_EQ(caps.MaxRenderTargetWidth, 4096);
    EXPECT_EQ(caps.MaxCubemapHeight, 2048);
    EXPECT_EQ(caps.MaxPrimitiveCount, 1000);
    EXPECT_EQ(caps.MaxStreams, 16);
    EXPECT_EQ(caps.MaxPixelShaderConst, 224) << "the pixel registers of ps_3_0";
}

TEST_F(Dx9RenderStateTest, RenderTargetBracketBindsTheSetAndRestoresTheSavedSurfaces)
{
    Texture target;
    ASSERT_TRUE(target.CreateRenderTarget(256, 256, FMT_A8R8G8B8, 0, false));
    Texture depth;
    ASSERT_TRUE(Device().CreateDepthStencilSurface(&depth, 256, 256, FMT_D24S8));
    const ULONG backBufferRefs = Native().m_pBackBuffer->Refs();
    const ULONG depthRefs = Native().m_pDepthStencil->Refs();
    m_Log.Clear();

    RenderTargetSet set;
    set.m_pColor[0] = &target;
    set.m_pDepthStencil = &depth;
    Device().BeginRenderTargets(&set);
    auto* pTargetTexture = FakeOf<FakeTexture>(target);
    ASSERT_NE(pTargetTexture, nullptr);
    EXPECT_EQ(Native().m_pRenderTargets[0], pTargetTexture->m_Levels[0]);
    EXPECT_EQ(m_Log.Count("SetRenderTarget("), 1u); // targets 1-3 stay unbound
    Device().EndRenderTargets(true);

    EXPECT_EQ(Native().m_pRenderTargets[0], Native().m_pBackBuffer);
    EXPECT_EQ(Native().m_pBoundDepthStencil, Native().m_pDepthStencil);
    EXPECT_EQ(Native().m_pBackBuffer->Refs(), backBufferRefs);
    EXPECT_EQ(Native().m_pDepthStencil->Refs(), depthRefs);
    depth.Unload();
}

TEST_F(Dx9RenderStateTest, RenderTargetsAreOneLevelDefaultPoolTextures)
{
    Texture target;
    TexturePool pool = POOL_MANAGED;
    uint32_t flags = 0;
    ASSERT_TRUE(Device().CreateRenderTarget(&target, 128, 64, FMT_R32F, &pool, &flags, false));
    EXPECT_TRUE(m_Log.Has("CreateTexture(128,64,1,1,114,0)"));
    EXPECT_EQ(pool, POOL_DEFAULT);
    EXPECT_EQ(flags, 3u);
    target.Unload();

    Texture cube;
    ASSERT_TRUE(Device().CreateRenderTarget(&cube, 64, 32, FMT_A8R8G8B8, &pool, &flags, true));
    EXPECT_TRUE(m_Log.Has("CreateCubeTexture(64,1,1,21,0)"));
    m_Log.Clear();
    Device().SetCubeRenderTarget(0, &cube, 3);
    EXPECT_EQ(Native().m_pRenderTargets[0], FakeOf<FakeCubeTexture>(cube)->m_Levels[3]);
    cube.Unload();

    DiagnosticCapture capture;
    Native().m_FailCreate = true;
    EXPECT_FALSE(Device().CreateRenderTarget(&target, 128, 64, FMT_R32F, &pool, &flags, false));
    EXPECT_TRUE(capture.Logged(
        "Can not create Render Target, width: 128, height: 64, mipmaplevel: 1, d3dFormat: 114"));
    EXPECT_FALSE(Device().CreateDepthStencilSurface(&target, 16, 16, FMT_D16));
    EXPECT_TRUE(
        capture.Logged("Can not create DepthStencil Surface, width: 16, height: 16, format: 23"));
}

} // namespace Dx9Test
