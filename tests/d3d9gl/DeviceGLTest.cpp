#include "D3D9GLFixture.h"

#include <epoxy/gl.h>

#include <cstring>

namespace D3D9GLTest
{
namespace
{

using DeviceGLTest = DeviceFixture;

TEST_F(DeviceGLTest, AdapterAndCapsComeFromGL)
{
    D3DADAPTER_IDENTIFIER9 identifier = {};
    ASSERT_EQ(s_pD3D->GetAdapterIdentifier(0, 0, &identifier), D3D_OK);
    EXPECT_GT(std::strlen(identifier.Description), 0u);
    EXPECT_NE(s_pD3D->GetAdapterMonitor(0), nullptr);
    EXPECT_EQ(s_pD3D->CheckDeviceMultiSampleType(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, TRUE,
                                                 D3DMULTISAMPLE_NONE, nullptr),
              D3D_OK);

    D3DCAPS9 caps = {};
    ASSERT_EQ(Device()->GetDeviceCaps(&caps), D3D_OK);
    EXPECT_EQ(caps.PixelShaderVersion, D3DPS_VERSION(3, 0));
    EXPECT_GE(caps.MaxTextureWidth, 2048u);
    EXPECT_EQ(Device()->TestCooperativeLevel(), D3D_OK);

    // Formats as the format table holds them; DXT is decoded at upload, so always taken.
    IDirect3D9* pCreator = nullptr;
    ASSERT_EQ(Device()->GetDirect3D(&pCreator), D3D_OK);
    EXPECT_EQ(pCreator, s_pD3D);
    const struct
    {
        DWORD m_Usage;
        D3DFORMAT m_Format;
        HRESULT m_Result;
    } formats[] = {
        {0, D3DFMT_DXT1, D3D_OK},
        {0, D3DFMT_A32B32G32R32F, D3D_OK},
        {0, D3DFMT_UNKNOWN, D3DERR_NOTAVAILABLE},
        {D3DUSAGE_RENDERTARGET, D3DFMT_R32F, D3D_OK},
        {D3DUSAGE_RENDERTARGET, D3DFMT_DXT5, D3DERR_NOTAVAILABLE},
        {D3DUSAGE_DEPTHSTENCIL, D3DFMT_D24S8, D3D_OK},
        {D3DUSAGE_DEPTHSTENCIL, D3DFMT_A8R8G8B8, D3DERR_NOTAVAILABLE},
    };
    for (const auto& f : formats)
    {
        EXPECT_EQ(pCreator->CheckDeviceFormat(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, f.m_Usage,
                                              D3DRTYPE_TEXTURE, f.m_Format),
                  f.m_Result)
            << f.m_Format;
    }
    pCreator->Release();
}

TEST_F(DeviceGLTest, ResetRestoresDefaultsAndMakesABackBufferOfTheNewSize)
{
    ASSERT_EQ(Device()->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE), D3D_OK);
    ASSERT_EQ(Device()->SetSamplerState(0, D3DSAMP_ADDRESSU, D3DTADDRESS_CLAMP), D3D_OK);
    D3DPRESENT_PARAMETERS params = s_Params;
    params.BackBufferWidth = 32;
    params.BackBufferHeight = 16;
    ASSERT_EQ(Device()->Reset(&params), D3D_OK);

    DWORD cull = 0;
    ASSERT_EQ(Device()->GetRenderState(D3DRS_CULLMODE, &cull), D3D_OK);
    EXPECT_EQ(cull, DWORD(D3DCULL_CCW));
    DWORD address = 0;
    ASSERT_EQ(Device()->GetSamplerState(0, D3DSAMP_ADDRESSU, &address), D3D_OK);
    EXPECT_EQ(address, DWORD(D3DTADDRESS_WRAP));
    IDirect3DSurface9* pBackBuffer = nullptr;
    ASSERT_EQ(Device()->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &pBackBuffer), D3D_OK);
    D3DSURFACE_DESC desc = {};
    ASSERT_EQ(pBackBuffer->GetDesc(&desc), D3D_OK);
    EXPECT_EQ(desc.Width, 32u);
    EXPECT_EQ(desc.Height, 16u);
    pBackBuffer->Release();
    D3DVIEWPORT9 viewport = {};
    ASSERT_EQ(Device()->GetViewport(&viewport), D3D_OK);
    EXPECT_EQ(viewport.Width, 32u);
    EXPECT_EQ(viewport.Height, 16u);
}

TEST_F(DeviceGLTest, RedundantStateCostsNoGLCallAndCountersRollOverAtPresent)
{
    UseColorShaders();
    ClearAll(0xFF000000);
    DrawQuad(0, 0, 8, 8, 0.5f, 0xFFFFFFFF);
    D3D9GL_COUNTERS before = {};
    ASSERT_EQ(D3D9GL_GetCounters(Device(), &before, nullptr), D3D_OK);

    // Setting every state to the value it already has changes nothing in GL.
    ASSERT_EQ(Device()->SetRenderState(D3DRS_CULLMODE, D3DCULL_CCW), D3D_OK);
    ASSERT_EQ(Device()->SetRenderState(D3DRS_ZFUNC, D3DCMP_LESSEQUAL), D3D_OK);
    ASSERT_EQ(Device()->SetSamplerState(0, D3DSAMP_MINFILTER, D3DTEXF_POINT), D3D_OK);
    ASSERT_EQ(Device()->SetVertexShader(s_pColorVS), D3D_OK);
    ASSERT_EQ(Device()->SetPixelShader(s_pColorPS), D3D_OK);
    const float zero[4] = {};
    ASSERT_EQ(Device()->SetPixelShaderConstantF(0, zero, 1), D3D_OK);
    const std::vector<Vertex> quad = Quad(8, 0, 16, 8, 0.5f, 0xFFFFFFFF);
    IDirect3DVertexBuffer9* pBuffer = MakeVertexBuffer(quad.data(), 6 * sizeof(Vertex));
    ASSERT_EQ(Device()->SetStreamSource(0, pBuffer, 0, sizeof(Vertex)), D3D_OK);
    ASSERT_EQ(Device()->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 2), D3D_OK);
    D3D9GL_COUNTERS afterFirst = {};
    ASSERT_EQ(D3D9GL_GetCounters(Device(), &afterFirst, nullptr), D3D_OK);
    ASSERT_EQ(Device()->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 2), D3D_OK);
    D3D9GL_COUNTERS afterSecond = {};
    ASSERT_EQ(D3D9GL_GetCounters(Device(), &afterSecond, nullptr), D3D_OK);

    EXPECT_EQ(afterFirst.DrawCalls, before.DrawCalls + 1);
    EXPECT_EQ(afterSecond.DrawCalls, afterFirst.DrawCalls + 1);
    EXPECT_EQ(afterSecond.StateChanges, afterFirst.StateChanges);
    EXPECT_EQ(afterSecond.Uploads, afterFirst.Uploads);

    ASSERT_EQ(Device()->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
    D3D9GL_COUNTERS current = {};
    D3D9GL_COUNTERS lastFrame = {};
    ASSERT_EQ(D3D9GL_GetCounters(Device(), &current, &lastFrame), D3D_OK);
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
    ASSERT_EQ(D3D9GL_SetDrawMerging(Device(), FALSE), D3D_OK);
    const D3DCOLOR texel = 0xFFFFFFFF;
    IDirect3DTexture9* pTexture = MakeTexture(1, 1, D3DFMT_A8R8G8B8, &texel);
    UseTextureShaders();
    ASSERT_EQ(Device()->SetTexture(0, pTexture), D3D_OK);
    // The GL calls of a draw after setting the first or second state of every setting.
    auto drawCost = [this](bool second)
    {
        D3D9GL_COUNTERS before = {};
        EXPECT_EQ(D3D9GL_GetCounters(Device(), &before, nullptr), D3D_OK);
        for (const SamplerSetting_t& setting : SETTINGS)
            Device()->SetSamplerState(0, setting.type, second ? setting.second : setting.first);
        DrawQuad(0, 0, 8, 8, 0.5f, 0xFFFFFFFF);
        D3D9GL_COUNTERS after = {};
        EXPECT_EQ(D3D9GL_GetCounters(Device(), &after, nullptr), D3D_OK);
        return after.StateChanges - before.StateChanges;
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
    ASSERT_EQ(D3D9GL_SetDrawMerging(Device(), TRUE), D3D_OK);
}

TEST_F(DeviceGLTest, ASecondDeviceCountsItsGLErrorsAndItsResourcesOutliveIt)
{
    // A second device on the same window: the shared one gets its context back afterwards.
    D3DPRESENT_PARAMETERS params = s_Params;
    params.BackBufferWidth = 0; // the window's size
    params.BackBufferFormat = D3DFMT_UNKNOWN;
    params.PresentationInterval = D3DPRESENT_INTERVAL_DEFAULT; // vsync
    IDirect3DDevice9* pOther = nullptr;
    ASSERT_EQ(s_pD3D->CreateDevice(0, D3DDEVTYPE_HAL, reinterpret_cast<HWND>(s_pWindow),
                                   D3DCREATE_HARDWARE_VERTEXPROCESSING, &params, &pOther),
              D3D_OK);
    IDirect3DTexture9* pTexture = nullptr;
    ASSERT_EQ(
        pOther->CreateTexture(4, 4, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &pTexture, nullptr),
        D3D_OK);
    IDirect3DVertexBuffer9* pBuffer = nullptr;
    ASSERT_EQ(pOther->CreateVertexBuffer(64, 0, 0, D3DPOOL_MANAGED, &pBuffer, nullptr), D3D_OK);
    UINT live = 0;
    ASSERT_EQ(D3D9GL_GetLiveObjectCount(pOther, &live), D3D_OK);
    {
        // GL errors in the device's context are counted and logged.
        Halvex::Base::DiagnosticCapture capture;
        glEnable(0xFFFF); // not a capability: GL_INVALID_ENUM
        D3D9GL_COUNTERS counters = {};
        ASSERT_EQ(D3D9GL_GetCounters(pOther, &counters, nullptr), D3D_OK);
        EXPECT_EQ(counters.GLErrors, 1u);
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
    ClearAll(0xFF000000);
    DrawQuad(0, 0, 64, 64, 0.5f, 0xFFFFFFFF);
    EXPECT_EQ(BackBufferPixel(10, 10), 0xFFFFFFFFu);
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
