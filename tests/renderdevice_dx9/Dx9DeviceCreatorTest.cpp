#include "fakedevice.h"

#include "base/source/system/logger.h"
#include "rendercore/source/renderdevice/renderdevice.h"
#include "renderdevice_dx9/source/dx9_videodevice_base.h"

#include <gtest/gtest.h>

using namespace Halvex::RenderCore;
using Halvex::Base::DiagnosticCapture;

namespace Dx9Test
{

class Dx9DeviceCreatorTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_pDirect3D = new FakeDirect3D(&m_Log);
        m_pVideo = std::make_unique<Dx9VideoDevice>(m_pDirect3D);
        m_Param.m_Width = 320;
        m_Param.m_Height = 200;
        m_Param.m_pWindow = &m_Window;
    }

    std::unique_ptr<RenderDevice> Create() { return CreateRenderDevice(m_pVideo.get(), &m_Param); }

    CallLog m_Log;
    FakeDirect3D* m_pDirect3D = nullptr;
    std::unique_ptr<VideoDevice> m_pVideo;
    DeviceCreateParam m_Param;
    int m_Window = 0;
};

TEST_F(Dx9DeviceCreatorTest, PresentationFollowsTheCreateParameters)
{
    m_Param.m_VSync = false;
    m_Param.m_MultiSample = MULTISAMPLE_4;
    auto pDevice = Create();
    ASSERT_NE(pDevice->GetNativeDevice(), nullptr);
    EXPECT_EQ(m_Log.Calls(), (std::vector<std::string>{"CheckDeviceMultiSampleType(0,1,22,1,4)",
                                                       "CheckDeviceMultiSampleType(0,1,75,1,4)",
                                                       "CreateDevice(0,1,window,64,1)"}));
    const D3DPRESENT_PARAMETERS& params = m_pDirect3D->m_CreateParams;
    EXPECT_EQ(params.BackBufferWidth, 320u);
    EXPECT_EQ(params.BackBufferCount, 1u);
    EXPECT_EQ(params.SwapEffect, D3DSWAPEFFECT_DISCARD);
    EXPECT_EQ(params.EnableAutoDepthStencil, TRUE);
    EXPECT_EQ(params.AutoDepthStencilFormat, D3DFMT_D24S8);
    EXPECT_EQ(params.PresentationInterval, static_cast<UINT>(D3DPRESENT_INTERVAL_IMMEDIATE));
    EXPECT_EQ(params.hDeviceWindow, nullptr);

    DeviceSetting setting;
    pDevice->GetDeviceSetting(&setting);
    EXPECT_TRUE(setting.m_Windowed);
    EXPECT_EQ(setting.m_BackBufferFormat, FMT_X8R8G8B8);
    EXPECT_EQ(setting.m_DepthStencilFormat, FMT_D24S8);
    EXPECT_EQ(pDevice->GetVideoMemorySize(), 256); // megabytes
}

TEST_F(Dx9DeviceCreatorTest, PerfHudAdapterIsChosenWithTheReferenceDeviceInAWindow)
{
    m_pDirect3D->m_Adapters = {"llvmpipe", "NVIDIA PerfHUD", "other"};
    m_Param.m_FullScreen = true;
    auto pDevice = Create();
    EXPECT_EQ(m_Log.Calls().back(), "CreateDevice(1,2,window,64,1)");
    EXPECT_EQ(m_Log.Count("CheckDeviceMultiSampleType(0,1,22,0,0)"), 1u);
}

TEST_F(Dx9DeviceCreatorTest, ShaderModelFollowsTheShaderVersions)
{
    struct Case
    {
        DWORD m_Vertex;
        DWORD m_Pixel;
        int m_Level;
    };
    const Case cases[] = {
        {D3DVS_VERSION(1, 0), D3DPS_VERSION(1, 4), 0},
        {D3DVS_VERSION(1, 1), D3DPS_VERSION(1, 1), 1},
        {D3DVS_VERSION(2, 0), D3DPS_VERSION(2, 0), 2},
        {D3DVS_VERSION(2, 0), D3DPS_VERSION(3, 0), 3},
        {D3DVS_VERSION(3, 0), D3DPS_VERSION(3, 0), 3},
        {D3DVS_VERSION(4, 0), D3DPS_VERSION(4, 0), 0},
    };
    for (const Case& c : cases)
    {
        m_pDirect3D->m_Caps.VertexShaderVersion = c.m_Vertex;
        m_pDirect3D->m_Caps.PixelShaderVersion = c.m_Pixel;
        EXPECT_EQ(Create()->GetShaderModel(), c.m_Level) << std::hex << c.m_Vertex;
    }
}

TEST_F(Dx9DeviceCreatorTest, CompressedFormatsAreTheOnesTheAdapterTakes)
{
    m_pDirect3D->m_TextureFormats = {D3DFMT_DXT1, D3DFMT_DXT5, D3DFMT_A8R8G8B8};
    auto pDevice = Create();
    DeviceCaps caps;
    pDevice->GetDeviceCaps(&caps);
    EXPECT_EQ(caps.CompressTex[0], 0x31545844); // "DXT1"
    EXPECT_EQ(caps.CompressTex[1], 0x35545844); // "DXT5"
    EXPECT_EQ(caps.CompressTex[2], 0);
}

TEST_F(Dx9DeviceCreatorTest, RefusedMultisampleFailsCreationWithoutAMessage)
{
    m_pDirect3D->m_RejectMultiSample = true;
    DiagnosticCapture capture;
    auto pDevice = Create();
    EXPECT_EQ(pDevice->GetNativeDevice(), nullptr);
    EXPECT_EQ(m_Log.Count("CreateDevice"), 0u);
    EXPECT_TRUE(capture.Logs().empty());
    EXPECT_TRUE(capture.Asserts().empty());

    // A device without a native device can still be made current and used.
    ASSERT_TRUE(SetRenderDevice(pDevice.get()));
    pDevice->SetRenderState(RS_CULL_MODE, CULL_NONE);
    pDevice->Clear(CLEAR_TARGET, 0, 1.0f, 0);
    EXPECT_FALSE(pDevice->CheckDevice(nullptr, nullptr));
    ReleaseRenderDevice();
}

TEST_F(Dx9DeviceCreatorTest, FailedCreationIsReportedByTheCreator)
{
    m_pDirect3D->m_FailCreateDevice = true;
    DiagnosticCapture capture;
    EXPECT_EQ(Create()->GetNativeDevice(), nullptr);
    ASSERT_EQ(capture.Asserts().size(), 1u);
    EXPECT_EQ(capture.Asserts()[0].expression, "!\"Can not create device\"");
    EXPECT_EQ(capture.Asserts()[0].source, "src/renderdevice_dx9/source/sdl/dx9_devicecreator_sdl");

    capture.Clear();
    Dx9VideoDevice noInterface(nullptr);
    EXPECT_EQ(CreateRenderDevice(&noInterface, &m_Param)->GetNativeDevice(), nullptr);
    EXPECT_TRUE(capture.Logged("Can not Create Direct3D Interface"));
}

} // namespace Dx9Test
