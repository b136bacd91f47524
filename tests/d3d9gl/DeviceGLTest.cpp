#include "D3D9GLFixture.h"

#include "d3d9gl/glapi.h"

#include <cstring>

namespace D3D9GLTest
{
namespace
{

using DeviceGLTest = DeviceFixture;

TEST_F(DeviceGLTest, AdapterAndCapsComeFromGL)
{
    D3DADAPTER_IDENTIFIER9 identifier = {};
    HR_OK(s_pD3D->GetAdapterIdentifier(0, 0, &identifier));
    EXPECT_GT(std::strlen(identifier.Description), 0u);
    EXPECT_NE(s_pD3D->GetAdapterMonitor(0), nullptr);
    EXPECT_EQ(s_pD3D->CheckDeviceMultiSampleType(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, TRUE,
                                                 D3DMULTISAMPLE_NONE, nullptr),
              D3D_OK);

    D3DCAPS9 caps = {};
    HR_OK(Device()->GetDeviceCaps(&caps));
    EXPECT_EQ(caps.PixelShaderVersion, D3DPS_VERSION(3, 0));
    EXPECT_EQ(Device()->TestCooperativeLevel(), D3D_OK);

    // Formats as the format table holds them; DXT is decoded at upload, so always taken.
    IDirect3D9* pCreator = nullptr;
    HR_OK(Device()->GetDirect3D(&pCreator));
    EXPECT_EQ(pCreator, s_pD3D);
    const std::tuple<DWORD, D3DFORMAT, HRESULT> formats[] = {
        {0, D3DFMT_DXT1, D3D_OK},
        {0, D3DFMT_A32B32G32R32F, D3D_OK},
        {0, D3DFMT_UNKNOWN, D3DERR_NOTAVAILABLE},
        {D3DUSAGE_RENDERTARGET, D3DFMT_R32F, D3D_OK},
        {D3DUSAGE_RENDERTARGET, D3DFMT_DXT5, D3DERR_NOTAVAILABLE},
        {D3DUSAGE_DEPTHSTENCIL, D3DFMT_D24S8, D3D_OK},
        {D3DUSAGE_DEPTHSTENCIL, D3DFMT_A8R8G8B8, D3DERR_NOTAVAILABLE},
    };
    for (const auto& [usage, format, result] : formats)
    {
        EXPECT_EQ(pCreator->CheckDeviceFormat(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, usage,
                                              D3DRTYPE_TEXTURE, format),
                  result)
            << format;
    }
    pCreator->Release();
}

TEST_F(DeviceGLTest, ResetRestoresDefaultsAndMakesABackBufferOfTheNewSize)
{
    HR_OK(Device()->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE));
    HR_OK(Device()->SetSamplerState(0, D3DSAMP_ADDRESSU, D3DTADDRESS_CLAMP));
    D3DPRESENT_PARAMETERS params = s_Params;
    params.BackBufferWidth = 32;
    params.BackBufferHeight = 16;
    HR_OK(Device()->Reset(&params));

    DWORD cull = 0, address = 0;
    HR_OK(Device()->GetRenderState(D3DRS_CULLMODE, &cull));
    HR_OK(Device()->GetSamplerState(0, D3DSAMP_ADDRESSU, &address));
    EXPECT_EQ(std::make_pair(cull, address),
              std::make_pair(DWORD(D3DCULL_CCW), DWORD(D3DTADDRESS_WRAP)));
    IDirect3DSurface9* pBackBuffer = nullptr;
    HR_OK(Device()->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &pBackBuffer));
    D3DSURFACE_DESC desc = {};
    HR_OK(pBackBuffer->GetDesc(&desc));
    EXPECT_EQ(std::make_pair(desc.Width, desc.Height), std::make_pair(32u, 16u));
    pBackBuffer->Release();
    D3DVIEWPORT9 viewport = {};
    HR_OK(Device()->GetViewport(&viewport));
    EXPECT_EQ(std::make_pair(viewport.Width, viewport.Height), std::make_pair(32u, 16u));
}

TEST_F(DeviceGLTest, RedundantStateCostsNoGLCallAndCountersRollOverAtPresent)
{
    UseColorShaders();
    ClearAll(0xFF000000);
    DrawQuad(0, 0, 8, 8, 0.5f, 0xFFFFFFFF);
    const D3D9GL_COUNTERS before = Counters();

    // Setting every state to the value it already has changes nothing in GL.
    HR_OK(Device()->SetRenderState(D3DRS_CULLMODE, D3DCULL_CCW));
    HR_OK(Device()->SetRenderState(D3DRS_ZFUNC, D3DCMP_LESSEQUAL));
    HR_OK(Device()->SetSamplerState(0, D3DSAMP_MINFILTER, D3DTEXF_POINT));
    HR_OK(Device()->SetVertexShader(s_pColorVS));
    HR_OK(Device()->SetPixelShader(s_pColorPS));
    const float zero[4] = {};
    HR_OK(Device()->SetPixelShaderConstantF(0, zero, 1));
    const std::vector<Vertex> quad = Quad(8, 0, 16, 8, 0.5f, 0xFFFFFFFF);
    IDirect3DVertexBuffer9* pBuffer = MakeVertexBuffer(quad.data(), 6 * sizeof(Vertex));
    HR_OK(Device()->SetStreamSource(0, pBuffer, 0, sizeof(Vertex)));
    HR_OK(Device()->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 2));
    const D3D9GL_COUNTERS afterFirst = Counters();
    HR_OK(Device()->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 2));
    const D3D9GL_COUNTERS afterSecond = Counters();

    EXPECT_EQ(afterFirst.DrawCalls, before.DrawCalls + 1);
    EXPECT_EQ(afterSecond.DrawCalls, afterFirst.DrawCalls + 1);
    EXPECT_EQ(afterSecond.StateChanges, afterFirst.StateChanges);
    EXPECT_EQ(afterSecond.Uploads, afterFirst.Uploads);

    HR_OK(Device()->Present(nullptr, nullptr, nullptr, nullptr));
    D3D9GL_COUNTERS current = {};
    D3D9GL_COUNTERS lastFrame = {};
    HR_OK(D3D9GL_GetCounters(Device(), &current, &lastFrame));
    EXPECT_EQ(current.DrawCalls, 0u);
    EXPECT_EQ(lastFrame.DrawCalls, afterSecond.DrawCalls);
    pBuffer->Release();
}

struct SamplerSetting_t
{
    D3DSAMPLERSTATETYPE type;
    DWORD first;
    DWORD second;
};

// Two sampler states that differ in five GL parameters.
constexpr SamplerSetting_t SETTINGS[] = {
    {D3DSAMP_MINFILTER, D3DTEXF_POINT, D3DTEXF_LINEAR},
    {D3DSAMP_MAGFILTER, D3DTEXF_POINT, D3DTEXF_LINEAR},
    {D3DSAMP_ADDRESSU, D3DTADDRESS_WRAP, D3DTADDRESS_CLAMP},
    {D3DSAMP_ADDRESSV, D3DTADDRESS_WRAP, D3DTADDRESS_MIRROR},
    {D3DSAMP_BORDERCOLOR, 0, 0xFF00FF00},
};

TEST_F(DeviceGLTest, GoingBackToASamplerStateCostsOneBind)
{
    HR_OK(D3D9GL_SetDrawMerging(Device(), FALSE));
    const D3DCOLOR texel = 0xFFFFFFFF;
    IDirect3DTexture9* pTexture = MakeTexture(1, 1, D3DFMT_A8R8G8B8, &texel);
    UseTextureShaders();
    HR_OK(Device()->SetTexture(0, pTexture));
    // The GL calls of a draw after setting the first or second state of every setting.
    auto drawCost = [this](bool second)
    {
        const UINT before = Counters().StateChanges;
        for (const SamplerSetting_t& setting : SETTINGS)
            Device()->SetSamplerState(0, setting.type, second ? setting.second : setting.first);
        DrawQuad(0, 0, 8, 8, 0.5f, 0xFFFFFFFF);
        return Counters().StateChanges - before;
    };
    drawCost(false);
    const UINT unchanged = drawCost(false);
    const UINT firstSwitch = drawCost(true);
    const UINT back = drawCost(false);
    const UINT again = drawCost(true);
    EXPECT_GT(firstSwitch, unchanged + 1) << "a new state makes a sampler object";
    EXPECT_EQ(back, unchanged + 1);
    EXPECT_EQ(again, unchanged + 1);
    pTexture->Release();
    HR_OK(D3D9GL_SetDrawMerging(Device(), TRUE));
}

TEST_F(DeviceGLTest, ASecondDeviceCountsItsGLErrorsAndItsResourcesOutliveIt)
{
    // A second device on the same window: the shared one gets its context back afterwards.
    D3DPRESENT_PARAMETERS params = s_Params;
    params.BackBufferWidth = 0; // the window's size
    params.BackBufferFormat = D3DFMT_UNKNOWN;
    params.PresentationInterval = D3DPRESENT_INTERVAL_DEFAULT; // vsync
    IDirect3DDevice9* pOther = nullptr;
    HR_OK(s_pD3D->CreateDevice(0, D3DDEVTYPE_HAL, s_Window, D3DCREATE_HARDWARE_VERTEXPROCESSING,
                               &params, &pOther));
    IDirect3DTexture9* pTexture = nullptr;
    HR_OK(pOther->CreateTexture(4, 4, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &pTexture, nullptr));
    IDirect3DVertexBuffer9* pBuffer = nullptr;
    HR_OK(pOther->CreateVertexBuffer(64, 0, 0, D3DPOOL_MANAGED, &pBuffer, nullptr));
    UINT live = 0;
    HR_OK(D3D9GL_GetLiveObjectCount(pOther, &live));
    {
        // GL errors in the device's context are counted and logged.
        Halvex::Base::DiagnosticCapture capture;
        glEnable(0xFFFF); // not a capability: GL_INVALID_ENUM
        EXPECT_EQ(Counters(pOther).GLErrors, 1u);
        EXPECT_TRUE(capture.Logged("GL error"));
    }
    {
        // The two objects the application forgot are one leak, reported once.
        Halvex::Base::DiagnosticCapture capture;
        EXPECT_EQ(pOther->Release(), 0u);
        ASSERT_EQ(capture.Logs().size(), 1u);
        EXPECT_TRUE(capture.Logged(
            "2 objects were still alive when the device was released (1 buffer, 1 texture)"));
    }
    EXPECT_GE(live, 2u + 2u) << "the two objects besides the back buffer and its depth surface";

    // Locks still work on the CPU copies; releasing frees no GL object twice.
    D3DLOCKED_RECT locked = {};
    EXPECT_EQ(pTexture->LockRect(0, &locked, nullptr, 0), D3D_OK);
    EXPECT_EQ(pTexture->UnlockRect(0), D3D_OK);
    void* pData = nullptr;
    EXPECT_EQ(pBuffer->Lock(0, 0, &pData, 0), D3D_OK);
    EXPECT_EQ(pBuffer->Unlock(), D3D_OK);
    pBuffer->Release();
    pTexture->Release();

    UseColorShaders();
    EXPECT_EQ(DrawFullQuad(), WHITE);
}

// A frame cleared after Present reads back as cleared once drawing has moved on to another
// target, frame after frame (llvmpipe's rasterizer threads handed back the frame Present had
// just shown).
TEST_F(DeviceGLTest, EachFrameReadsBackAsDrawnAfterPresent)
{
    IDirect3DTexture9* pTexture = nullptr;
    IDirect3DSurface9 *pBackBuffer = nullptr, *pTarget = nullptr;
    HR_OK(Device()->CreateTexture(TARGET_SIZE, TARGET_SIZE, 1, D3DUSAGE_RENDERTARGET,
                                  D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT, &pTexture, nullptr));
    HR_OK(pTexture->GetSurfaceLevel(0, &pTarget));
    HR_OK(Device()->GetRenderTarget(0, &pBackBuffer));
    for (int frame = 0; frame < 40; ++frame)
    {
        HR_OK(Device()->Present(nullptr, nullptr, nullptr, nullptr));
        const D3DCOLOR color = frame % 2 ? RED : BLUE;
        ClearAll(color);
        HR_OK(Device()->SetRenderTarget(0, pTarget));
        ClearAll(GREEN);
        HR_OK(Device()->SetRenderTarget(0, pBackBuffer));
        ASSERT_EQ(BackBufferPixel(5, 5), color) << "frame " << frame;
    }
    Release(pTarget, pBackBuffer, pTexture);
}

TEST_F(DeviceGLTest, ExtensionsRefuseForeignDevices)
{
    D3D9GL_COUNTERS counters = {};
    EXPECT_EQ(D3D9GL_GetCounters(nullptr, &counters, nullptr), D3DERR_INVALIDCALL);
    EXPECT_EQ(D3D9GL_SetNextShaderName(nullptr, "x"), D3DERR_INVALIDCALL);
    EXPECT_EQ(Direct3DCreate9(31), nullptr);
}

} // namespace
} // namespace D3D9GLTest
