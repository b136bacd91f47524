// Sections: construction and life cycle; caps and settings; frame and lost device; render
// states; viewport, scissor and clear.

#include "renderdevice_dx9/source/dx9_renderdevice.h"

#include "rendercore/source/renderdevice/rendertargetbracket.h"
#include "rendercore/source/resource/texture.h"
#include "renderdevice_dx9/source/dx9_devicecreator_base.h"
#include "renderdevice_dx9/source/dx9_diagnostics.h"
#include "renderdevice_dx9/source/dx9_nativeobject.h"
#include "renderdevice_dx9/source/dx9_typeconverter.h"

namespace Halvex::RenderCore
{

// ---- construction and life cycle ----

Dx9RenderDevice::Dx9RenderDevice(std::unique_ptr<Dx9DeviceCreatorBase> pCreator)
    : m_pCreator(std::move(pCreator))
{
    if (!m_pCreator)
    {
        return;
    }
    m_pDevice = m_pCreator->GetDevice();
    if (m_pDevice)
    {
        m_pDiagnostics = std::make_unique<Dx9DeviceDiagnostics>(m_pDevice);
    }
    m_VideoMemorySize = m_pCreator->GetVideoMemorySize();
    m_ShaderModel = m_pCreator->GetShaderModel();
    const D3DPRESENT_PARAMETERS& params = m_pCreator->GetPresentParameters();
    m_Setting.m_Windowed = params.Windowed != FALSE;
    m_Setting.m_Width = static_cast<int32_t>(params.BackBufferWidth);
    m_Setting.m_Height = static_cast<int32_t>(params.BackBufferHeight);
    m_Setting.m_BackBufferFormat =
        static_cast<TextureFormat>(FromNative(CONVERT_TEXTURE_FORMAT, params.BackBufferFormat));
    m_Setting.m_DepthStencilFormat = static_cast<TextureFormat>(
        FromNative(CONVERT_TEXTURE_FORMAT, params.AutoDepthStencilFormat));
    m_Setting.m_MultiSample =
        static_cast<MultiSample>(FromNative(CONVERT_MULTISAMPLE, params.MultiSampleType));
    m_Setting.m_VSync = params.PresentationInterval == D3DPRESENT_INTERVAL_DEFAULT ||
                        params.PresentationInterval == D3DPRESENT_INTERVAL_ONE;
}

Dx9RenderDevice::~Dx9RenderDevice() = default;

void Dx9RenderDevice::Initialize()
{
    m_pShaders = std::make_unique<ShaderPair>();
    m_pRenderTargets = std::make_unique<RenderTargetBracket>(this);
    m_CacheEnabled = true;
    ResetBoundState();
    SetDefaultRenderStates();
}

void Dx9RenderDevice::Shutdown()
{
    for (auto& [pTexture, pSurface] : m_LockedTextures)
    {
        pSurface->UnlockRect();
        pSurface->Release();
    }
    m_LockedTextures.clear();
    m_pCaps.reset();
    m_pRenderTargets.reset();
    m_pShaders.reset();
    m_pDiagnostics.reset();
    m_pDevice = nullptr;
    m_pCreator.reset();
    m_CacheEnabled = false;
    RenderDevice::Shutdown();
}

void Dx9RenderDevice::ResetBoundState()
{
    m_Bound = Dx9BoundState();
    if (!m_pDevice)
    {
        return;
    }
    m_pDevice->SetVertexDeclaration(nullptr);
    for (UINT stream = 0; stream < DX9_STREAM_MAX; ++stream)
    {
        m_pDevice->SetStreamSource(stream, nullptr, 0, 0);
    }
    m_pDevice->SetIndices(nullptr);
    for (int slot = 0; slot < DX9_SAMPLER_SLOT_MAX; ++slot)
    {
        m_pDevice->SetTexture(Dx9BoundState::SlotSampler(slot), nullptr);
    }
    m_pDevice->SetVertexShader(nullptr);
    m_pDevice->SetPixelShader(nullptr);
}

// ---- caps and settings ----

namespace
{
// The block-compressed texture formats the adapter takes, as their format codes, in the
// order of the Direct3D 9 formats; the rest of the list stays 0.
void ListCompressedFormats(IDirect3DDevice9* pDevice, int32_t (&codes)[COMPRESSED_FORMAT_LIST_SIZE])
{
    IDirect3D9* pDirect3D = nullptr;
    if (FAILED(pDevice->GetDirect3D(&pDirect3D)))
    {
        return;
    }
    int count = 0;
    for (D3DFORMAT format : {D3DFMT_DXT1, D3DFMT_DXT2, D3DFMT_DXT3, D3DFMT_DXT4, D3DFMT_DXT5})
    {
        if (SUCCEEDED(pDirect3D->CheckDeviceFormat(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL,
                                                   D3DFMT_X8R8G8B8, 0, D3DRTYPE_TEXTURE, format)))
        {
            codes[count++] = static_cast<int32_t>(format);
        }
    }
    pDirect3D->Release();
}
} // namespace

void Dx9RenderDevice::GetDeviceCaps(DeviceCaps* pCaps)
{
    if (!HX_ASSERT(pCaps))
    {
        return;
    }
    if (!m_pCaps)
    {
        D3DCAPS9 native = {};
        if (!m_pDevice || FAILED(m_pDevice->GetDeviceCaps(&native)))
        {
            *pCaps = DeviceCaps();
            return;
        }
        auto pBuilt = std::make_unique<DeviceCaps>();
        const auto maxWidth = static_cast<int32_t>(native.MaxTextureWidth);
        const auto maxHeight = static_cast<int32_t>(native.MaxTextureHeight);
        pBuilt->MaxRenderTargetWidth = maxWidth;
        pBuilt->MaxRenderTargetHeight = maxHeight;
        pBuilt->MaxTextureCount = 8;
        pBuilt->MaxVertexAttribCount = 64;
        pBuilt->MaxVaryingVectorCount = -1;
        pBuilt->MaxTextureWidth = maxWidth;
        pBuilt->MaxTextureHeight = maxHeight;
        pBuilt->MaxCubemapWidth = maxWidth;
        pBuilt->MaxCubemapHeight = maxHeight;
        pBuilt->MaxPrimitiveCount = static_cast<int32_t>(native.MaxPrimitiveCount);
        pBuilt->MaxVertexIndex = static_cast<int32_t>(native.MaxVertexIndex);
        pBuilt->MaxStreams = static_cast<int32_t>(native.MaxStreams);
        pBuilt->MaxVertexShaderConst = static_cast<int32_t>(native.MaxVertexShaderConst);
        // Direct3D 9 has no cap for pixel-shader constants: the shader model fixes them
        // (224 float registers from ps_3_0 on, 32 before).
        pBuilt->MaxPixelShaderConst = native.PixelShaderVersion >= D3DPS_VERSION(3, 0) ? 224 : 32;
        ListCompressedFormats(m_pDevice, pBuilt->CompressTex);
        m_pCaps = std::move(pBuilt);
    }
    *pCaps = *m_pCaps;
}

void Dx9RenderDevice::GetDeviceSetting(DeviceSetting* pSetting)
{
    if (HX_ASSERT(pSetting))
    {
        *pSetting = m_Setting;
    }
}

bool Dx9RenderDevice::ResetDevice(const DeviceSetting* pSetting, void*, void*)
{
    const DeviceSetting* pInfo = pSetting;
    HX_ASSERT(pInfo);
    if (!ResetNative(pInfo))
    {
        return false;
    }
    if (pInfo)
    {
        m_Setting = *pInfo;
    }
    return true;
}

// The hook arguments of ResetDevice and CheckDevice are for back ends whose objects must be
// rebuilt around a reset; the managed resources of this one survive it.
bool Dx9RenderDevice::ResetNative(const DeviceSetting* pSetting)
{
    if (!m_pCreator || !m_pDevice)
    {
        return false;
    }
    ResetBoundState();
    D3DPRESENT_PARAMETERS& params = m_pCreator->GetPresentParameters();
    if (pSetting)
    {
        params.Windowed = pSetting->m_Windowed ? TRUE : FALSE;
    }
    return SUCCEEDED(m_pDevice->Reset(&params));
}

// ---- frame and lost device ----

void Dx9RenderDevice::BeginScene()
{
    if (m_pDevice)
    {
        m_pDevice->BeginScene();
    }
}

void Dx9RenderDevice::EndScene()
{
    if (m_pDevice)
    {
        m_pDevice->EndScene();
    }
}

void Dx9RenderDevice::Present()
{
    if (m_pDevice)
    {
        m_pDevice->Present(nullptr, nullptr, nullptr, nullptr);
    }
}

bool Dx9RenderDevice::CheckDevice(void*, void*)
{
    if (!m_pDevice)
    {
        return false;
    }
    const HRESULT hr = m_pDevice->TestCooperativeLevel();
    if (hr == D3DERR_DEVICELOST || hr == D3DERR_DRIVERINTERNALERROR)
    {
        return false;
    }
    if (hr == D3DERR_DEVICENOTRESET)
    {
        return ResetNative(nullptr);
    }
    return true;
}

void Dx9RenderDevice::BeginRenderTargets(const RenderTargetSet* pSet)
{
    if (m_pRenderTargets)
    {
        m_pRenderTargets->Begin(pSet);
    }
}

void Dx9RenderDevice::EndRenderTargets(bool resolve)
{
    if (m_pRenderTargets)
    {
        m_pRenderTargets->End(resolve);
    }
}

void Dx9RenderDevice::SaveBackBufferToFile(const std::string& fileName, ImageFileFormat format)
{
    const std::string& name = fileName;
    if (!HX_ASSERT(!name.empty()) || !m_pDevice)
    {
        return;
    }
    IDirect3DSurface9* pBackBuffer = nullptr;
    if (FAILED(m_pDevice->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &pBackBuffer)))
    {
        return;
    }
    D3DXSaveSurfaceToFileA(
        name.c_str(),
        static_cast<D3DXIMAGE_FILEFORMAT>(ToNative(CONVERT_IMAGE_FILE_FORMAT, format)), pBackBuffer,
        nullptr, nullptr);
    pBackBuffer->Release();
}

// ---- render states ----

namespace
{
bool IsKnownRenderState(RenderStateType state, uint32_t value)
{
    if (state >= 0 && state < RS_MAX)
    {
        return true;
    }
    DX9_LOG_ERROR("Unknown Render State: %d, Value: %d", static_cast<int>(state),
                  static_cast<int>(value));
    HX_RAISE("state >= 0 && state < RS_MAX");
    return false;
}

D3DRENDERSTATETYPE NativeState(RenderStateType state)
{
    return static_cast<D3DRENDERSTATETYPE>(ToNative(CONVERT_RENDER_STATE, state));
}
} // namespace

void Dx9RenderDevice::SetRenderState(RenderStateType state, uint32_t value)
{
    if (!IsKnownRenderState(state, value) || !m_pDevice)
    {
        return;
    }
    if (m_CacheEnabled)
    {
        if (m_Bound.m_RenderStateKnown[state] && m_Bound.m_RenderStates[state] == value)
        {
            return;
        }
        m_Bound.m_RenderStates[state] = value;
        m_Bound.m_RenderStateKnown[state] = true;
    }
    m_pDevice->SetRenderState(NativeState(state), ToNativeRenderStateValue(state, value));
}

void Dx9RenderDevice::GetRenderState(RenderStateType state, uint32_t* pValue)
{
    if (!HX_ASSERT(pValue))
    {
        return;
    }
    *pValue = 0;
    if (!IsKnownRenderState(state, 0) || !m_pDevice)
    {
        return;
    }
    DWORD native = 0;
    m_pDevice->GetRenderState(NativeState(state), &native);
    *pValue = FromNativeRenderStateValue(state, native);
}

void Dx9RenderDevice::GetNativeRenderState(RenderStateType state, uint32_t* pValue)
{
    if (!HX_ASSERT(pValue))
    {
        return;
    }
    *pValue = 0;
    if (!IsKnownRenderState(state, 0) || !m_pDevice)
    {
        return;
    }
    DWORD native = 0;
    m_pDevice->GetRenderState(NativeState(state), &native);
    *pValue = native;
}

void Dx9RenderDevice::SetNativeRenderState(RenderStateType state, uint32_t nativeValue)
{
    if (!IsKnownRenderState(state, nativeValue) || !m_pDevice)
    {
        return;
    }
    // The engine value behind a native one is not known: the next SetRenderState of this
    // state must reach the device.
    m_Bound.m_RenderStateKnown[state] = false;
    m_pDevice->SetRenderState(NativeState(state), nativeValue);
}

// ---- viewport, scissor and clear ----

Rect_t Dx9RenderDevice::GetViewport()
{
    D3DVIEWPORT9 viewport = {};
    if (m_pDevice)
    {
        m_pDevice->GetViewport(&viewport);
    }
    return {static_cast<float>(viewport.X), static_cast<float>(viewport.Y),
            static_cast<float>(viewport.Width), static_cast<float>(viewport.Height)};
}

void Dx9RenderDevice::SetViewport(const float* pRect)
{
    if (!HX_ASSERT(pRect) || !m_pDevice)
    {
        return;
    }
    D3DVIEWPORT9 viewport = {};
    viewport.X = static_cast<DWORD>(static_cast<int>(pRect[0]));
    viewport.Y = static_cast<DWORD>(static_cast<int>(pRect[1]));
    viewport.Width = static_cast<DWORD>(static_cast<int>(pRect[2]));
    viewport.Height = static_cast<DWORD>(static_cast<int>(pRect[3]));
    viewport.MinZ = 0.0f;
    viewport.MaxZ = 1.0f;
    m_pDevice->SetViewport(&viewport);
}

Rect_t Dx9RenderDevice::GetScissorRect()
{
    RECT rect = {};
    if (m_pDevice)
    {
        m_pDevice->GetScissorRect(&rect);
    }
    return {static_cast<float>(rect.left), static_cast<float>(rect.top),
            static_cast<float>(rect.right - rect.left), static_cast<float>(rect.bottom - rect.top)};
}

void Dx9RenderDevice::SetScissorRect(const float* pRect)
{
    if (!HX_ASSERT(pRect) || !m_pDevice)
    {
        return;
    }
    RECT rect = {};
    rect.left = static_cast<LONG>(pRect[0]);
    rect.top = static_cast<LONG>(pRect[1]);
    rect.right = static_cast<LONG>(pRect[0] + pRect[2]);
    rect.bottom = static_cast<LONG>(pRect[1] + pRect[3]);
    const bool enable = rect.right > rect.left && rect.bottom > rect.top;
    m_pDevice->SetRenderState(D3DRS_SCISSORTESTENABLE, enable ? TRUE : FALSE);
    m_pDevice->SetScissorRect(&rect);
}

void Dx9RenderDevice::Clear(uint32_t flags, uint32_t color, float depth, int32_t stencil)
{
    DWORD native = 0;
    if (flags & CLEAR_TARGET)
    {
        native |= D3DCLEAR_TARGET;
    }
    if (flags & CLEAR_DEPTH)
    {
        native |= D3DCLEAR_ZBUFFER;
    }
    if (flags & CLEAR_STENCIL)
    {
        native |= D3DCLEAR_STENCIL;
    }
    if (native == 0 || !m_pDevice)
    {
        return;
    }
    m_pDevice->Clear(0, nullptr, native, color, depth, static_cast<DWORD>(stencil));
}

} // namespace Halvex::RenderCore
