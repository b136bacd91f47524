#include "fakedevice.h"

#include <algorithm>
#include <cstring>
#include <sstream>

namespace Dx9Test
{
namespace
{
int g_NextId = 1;

template <class First, class... Rest>
void AppendArgs(std::ostringstream& out, const First& first, const Rest&... rest)
{
    if constexpr (std::is_convertible_v<First, IUnknown*>)
    {
        out << Name(first);
    }
    else
    {
        out << first;
    }
    if constexpr (sizeof...(rest) > 0)
    {
        out << ',';
        AppendArgs(out, rest...);
    }
}

template <class... Args> std::string Call(const char* name, const Args&... args)
{
    std::ostringstream out;
    out << name << '(';
    if constexpr (sizeof...(args) > 0)
    {
        AppendArgs(out, args...);
    }
    out << ')';
    return out.str();
}

int BytesPerTexel(D3DFORMAT format)
{
    switch (format)
    {
    case D3DFMT_R5G6B5:
    case D3DFMT_D16:
        return 2;
    case D3DFMT_L8:
    case D3DFMT_A8:
        return 1;
    default:
        return 4;
    }
}
} // namespace

size_t CallLog::Count(const std::string& prefix) const
{
    return static_cast<size_t>(std::count_if(m_Calls.begin(), m_Calls.end(),
                                             [&](const std::string& call)
                                             { return call.rfind(prefix, 0) == 0; }));
}

bool CallLog::Has(const std::string& call) const
{
    return std::find(m_Calls.begin(), m_Calls.end(), call) != m_Calls.end();
}

FakeObject::FakeObject() : m_Id(g_NextId++) {}

ULONG FakeObject::DoRelease()
{
    const ULONG refs = --m_Refs;
    if (refs == 0)
    {
        delete this;
    }
    return refs;
}

std::string Name(IUnknown* pObject)
{
    if (!pObject)
    {
        return "null";
    }
    auto* pFake = dynamic_cast<FakeObject*>(pObject);
    return pFake ? "#" + std::to_string(pFake->Id()) : "?";
}

// ---- surfaces and textures ----

FakeSurface::FakeSurface(UINT width, UINT height, D3DFORMAT format, int bytesPerTexel,
                         int pitchPadding)
    : m_Pitch(static_cast<INT>(width) * bytesPerTexel + pitchPadding)
{
    m_Bits.assign(static_cast<size_t>(m_Pitch) * height, 0);
    m_Desc.Format = format;
    m_Desc.Type = D3DRTYPE_SURFACE;
    m_Desc.Width = width;
    m_Desc.Height = height;
}

HRESULT FakeSurface::GetDesc(D3DSURFACE_DESC* pDesc)
{
    *pDesc = m_Desc;
    return D3D_OK;
}

HRESULT FakeSurface::LockRect(D3DLOCKED_RECT* pLockedRect, const RECT*, DWORD Flags)
{
    m_LockFlags.push_back(Flags);
    if (m_FailLock)
    {
        return D3DERR_INVALIDCALL;
    }
    ++m_LockCount;
    pLockedRect->pBits = m_Bits.data();
    pLockedRect->Pitch = m_Pitch;
    return D3D_OK;
}

HRESULT FakeSurface::UnlockRect()
{
    --m_LockCount;
    return D3D_OK;
}

FakeTexture::FakeTexture(UINT width, UINT height, UINT levels, D3DFORMAT format, int bytesPerTexel,
                         int pitchPadding)
{
    for (UINT level = 0; level < levels; ++level)
    {
        m_Levels.push_back(new FakeSurface(width, height, format, bytesPerTexel, pitchPadding));
        if (width == 1 && height == 1 && levels == 0)
        {
            break;
        }
        width = std::max(width / 2, 1u);
        height = std::max(height / 2, 1u);
    }
}

FakeTexture::~FakeTexture()
{
    for (FakeSurface* pLevel : m_Levels)
    {
        pLevel->Release();
    }
}

HRESULT FakeTexture::GetLevelDesc(UINT Level, D3DSURFACE_DESC* pDesc)
{
    return Level < m_Levels.size() ? m_Levels[Level]->GetDesc(pDesc) : D3DERR_INVALIDCALL;
}

HRESULT FakeTexture::GetSurfaceLevel(UINT Level, IDirect3DSurface9** ppSurfaceLevel)
{
    if (Level >= m_Levels.size())
    {
        *ppSurfaceLevel = nullptr;
        return D3DERR_INVALIDCALL;
    }
    m_Levels[Level]->AddRef();
    *ppSurfaceLevel = m_Levels[Level];
    return D3D_OK;
}

HRESULT FakeTexture::LockRect(UINT Level, D3DLOCKED_RECT* pLockedRect, const RECT* pRect,
                              DWORD Flags)
{
    return Level < m_Levels.size() ? m_Levels[Level]->LockRect(pLockedRect, pRect, Flags)
                                   : D3DERR_INVALIDCALL;
}

HRESULT FakeTexture::UnlockRect(UINT Level)
{
    return Level < m_Levels.size() ? m_Levels[Level]->UnlockRect() : D3DERR_INVALIDCALL;
}

FakeCubeTexture::FakeCubeTexture(UINT edge, D3DFORMAT format)
{
    for (FakeSurface*& pFace : m_Faces)
    {
        pFace = new FakeSurface(edge, edge, format, BytesPerTexel(format));
    }
}

FakeCubeTexture::~FakeCubeTexture()
{
    for (FakeSurface* pFace : m_Faces)
    {
        pFace->Release();
    }
}

HRESULT FakeCubeTexture::GetLevelDesc(UINT, D3DSURFACE_DESC* pDesc)
{
    return m_Faces[0]->GetDesc(pDesc);
}

HRESULT FakeCubeTexture::GetCubeMapSurface(D3DCUBEMAP_FACES FaceType, UINT,
                                           IDirect3DSurface9** ppCubeMapSurface)
{
    m_Faces[FaceType]->AddRef();
    *ppCubeMapSurface = m_Faces[FaceType];
    return D3D_OK;
}

// ---- declarations, shaders, constant tables ----

FakeDeclaration::FakeDeclaration(const D3DVERTEXELEMENT9* pElements)
{
    for (int i = 0;; ++i)
    {
        m_Elements.push_back(pElements[i]);
        if (pElements[i].Stream == 0xFF)
        {
            break;
        }
    }
}

HRESULT FakeDeclaration::GetDeclaration(D3DVERTEXELEMENT9* pElement, UINT* pNumElements)
{
    *pNumElements = static_cast<UINT>(m_Elements.size());
    if (pElement)
    {
        std::copy(m_Elements.begin(), m_Elements.end(), pElement);
    }
    return D3D_OK;
}

template <class Interface, DWORD Version>
HRESULT FakeShader<Interface, Version>::GetFunction(void* pData, UINT* pSizeOfData)
{
    const size_t textWords = m_Text.size() / 4 + 1;
    const UINT size = static_cast<UINT>((textWords + 2) * sizeof(DWORD));
    if (pData)
    {
        std::vector<DWORD> blob(textWords + 2, 0);
        blob[0] = Version;
        std::memcpy(&blob[1], m_Text.data(), m_Text.size());
        blob.back() = 0x0000FFFF;
        std::memcpy(pData, blob.data(), std::min(size, *pSizeOfData));
    }
    *pSizeOfData = size;
    return D3D_OK;
}
template class FakeShader<IDirect3DVertexShader9, 0xFFFE0300>;
template class FakeShader<IDirect3DPixelShader9, 0xFFFF0300>;

void FakeConstantTable::AddConstant(const std::string& name, D3DXREGISTER_SET set, UINT index)
{
    D3DXCONSTANT_DESC desc = {};
    desc.RegisterSet = set;
    desc.RegisterIndex = index;
    desc.RegisterCount = 1;
    m_Constants[name] = desc;
}

HRESULT FakeConstantTable::GetConstantDesc(D3DXHANDLE hConstant, D3DXCONSTANT_DESC* pDesc,
                                           UINT* pCount)
{
    auto found = m_Constants.find(hConstant ? hConstant : "");
    if (found == m_Constants.end())
    {
        return D3DERR_INVALIDCALL;
    }
    *pDesc = found->second;
    pDesc->Name = found->first.c_str();
    *pCount = 1;
    return D3D_OK;
}

D3DXHANDLE FakeConstantTable::GetConstantByName(D3DXHANDLE, LPCSTR pName)
{
    ++m_LookupCount;
    auto found = m_Constants.find(pName);
    return found == m_Constants.end() ? nullptr : found->first.c_str();
}

HRESULT FakeConstantTable::Set(const char* what, D3DXHANDLE h)
{
    m_pLog->Add(std::string("Table.") + what + "(" + h + ")");
    return D3D_OK;
}

// ---- device ----

FakeDevice::FakeDevice(CallLog* pLog, UINT width, UINT height)
    : m_pLog(pLog), m_pBackBuffer(new FakeSurface(width, height, D3DFMT_X8R8G8B8, 4)),
      m_pDepthStencil(new FakeSurface(width, height, D3DFMT_D24S8, 4))
{
    m_pRenderTargets[0] = m_pBackBuffer;
    m_pBackBuffer->AddRef();
    m_pBoundDepthStencil = m_pDepthStencil;
    m_pDepthStencil->AddRef();
}

FakeDevice::~FakeDevice()
{
    for (IDirect3DSurface9* pTarget : m_pRenderTargets)
    {
        if (pTarget)
        {
            pTarget->Release();
        }
    }
    if (m_pBoundDepthStencil)
    {
        m_pBoundDepthStencil->Release();
    }
    m_pBackBuffer->Release();
    m_pDepthStencil->Release();
}

HRESULT FakeDevice::GetDeviceCaps(D3DCAPS9* pCaps)
{
    ++m_CapsReads;
    *pCaps = m_Caps;
    return D3D_OK;
}

HRESULT FakeDevice::Reset(D3DPRESENT_PARAMETERS* pParams)
{
    m_pLog->Add(Call("Reset", pParams->Windowed));
    m_LastReset = *pParams;
    return m_ResetResult;
}

HRESULT FakeDevice::Present(const RECT*, const RECT*, HWND, const RGNDATA*)
{
    m_pLog->Add("Present()");
    return D3D_OK;
}

HRESULT FakeDevice::GetBackBuffer(UINT, UINT, D3DBACKBUFFER_TYPE, IDirect3DSurface9** ppBackBuffer)
{
    m_pBackBuffer->AddRef();
    *ppBackBuffer = m_pBackBuffer;
    return D3D_OK;
}

HRESULT FakeDevice::BeginScene()
{
    m_pLog->Add("BeginScene()");
    return D3D_OK;
}

HRESULT FakeDevice::EndScene()
{
    m_pLog->Add("EndScene()");
    return D3D_OK;
}

HRESULT FakeDevice::Clear(DWORD Count, const D3DRECT* pRects, DWORD Flags, D3DCOLOR Color, float Z,
                          DWORD Stencil)
{
    m_pLog->Add(Call("Clear", Count, pRects ? "rects" : "null", Flags, Color, Z, Stencil));
    return D3D_OK;
}

HRESULT FakeDevice::CreateTexture(UINT Width, UINT Height, UINT Levels, DWORD Usage,
                                  D3DFORMAT Format, D3DPOOL Pool, IDirect3DTexture9** ppTexture,
                                  HANDLE*)
{
    m_pLog->Add(Call("CreateTexture", Width, Height, Levels, Usage, Format, Pool));
    if (m_FailCreate)
    {
        *ppTexture = nullptr;
        return D3DERR_INVALIDCALL;
    }
    *ppTexture = new FakeTexture(Width, Height, Levels == static_cast<UINT>(-1) ? 0 : Levels,
                                 Format, BytesPerTexel(Format));
    return D3D_OK;
}

HRESULT FakeDevice::CreateVolumeTexture(UINT, UINT, UINT, UINT, DWORD, D3DFORMAT, D3DPOOL,
                                        IDirect3DVolumeTexture9** ppVolumeTexture, HANDLE*)
{
    *ppVolumeTexture = nullptr;
    return D3DERR_INVALIDCALL;
}

HRESULT FakeDevice::CreateCubeTexture(UINT EdgeLength, UINT Levels, DWORD Usage, D3DFORMAT Format,
                                      D3DPOOL Pool, IDirect3DCubeTexture9** ppCubeTexture, HANDLE*)
{
    m_pLog->Add(Call("CreateCubeTexture", EdgeLength, Levels, Usage, Format, Pool));
    if (m_FailCreate)
    {
        *ppCubeTexture = nullptr;
        return D3DERR_INVALIDCALL;
    }
    *ppCubeTexture = new FakeCubeTexture(EdgeLength, Format);
    return D3D_OK;
}

HRESULT FakeDevice::CreateVertexBuffer(UINT Length, DWORD Usage, DWORD FVF, D3DPOOL Pool,
                                       IDirect3DVertexBuffer9** ppVertexBuffer, HANDLE*)
{
    m_pLog->Add(Call("CreateVertexBuffer", Length, Usage, FVF, Pool));
    if (m_FailCreate)
    {
        *ppVertexBuffer = nullptr;
        return D3DERR_INVALIDCALL;
    }
    m_pLastVertexBuffer = new FakeVertexBuffer(Length, Usage, Pool);
    *ppVertexBuffer = m_pLastVertexBuffer;
    return D3D_OK;
}

HRESULT FakeDevice::CreateIndexBuffer(UINT Length, DWORD Usage, D3DFORMAT Format, D3DPOOL Pool,
                                      IDirect3DIndexBuffer9** ppIndexBuffer, HANDLE*)
{
    m_pLog->Add(Call("CreateIndexBuffer", Length, Usage, Format, Pool));
    if (m_FailCreate)
    {
        *ppIndexBuffer = nullptr;
        return D3DERR_INVALIDCALL;
    }
    m_pLastIndexBuffer = new FakeIndexBuffer(Length, Usage, Pool);
    *ppIndexBuffer = m_pLastIndexBuffer;
    return D3D_OK;
}

HRESULT FakeDevice::CreateDepthStencilSurface(UINT Width, UINT Height, D3DFORMAT Format,
                                              D3DMULTISAMPLE_TYPE MultiSample, DWORD Quality,
                                              BOOL Discard, IDirect3DSurface9** ppSurface, HANDLE*)
{
    m_pLog->Add(
        Call("CreateDepthStencilSurface", Width, Height, Format, MultiSample, Quality, Discard));
    if (m_FailCreate)
    {
        *ppSurface = nullptr;
        return D3DERR_INVALIDCALL;
    }
    *ppSurface = new FakeSurface(Width, Height, Format, 4);
    return D3D_OK;
}

HRESULT FakeDevice::CreateOffscreenPlainSurface(UINT, UINT, D3DFORMAT, D3DPOOL,
                                                IDirect3DSurface9** ppSurface, HANDLE*)
{
    *ppSurface = nullptr;
    return D3DERR_INVALIDCALL;
}

HRESULT FakeDevice::CreateVertexDeclaration(const D3DVERTEXELEMENT9* pVertexElements,
                                            IDirect3DVertexDeclaration9** ppDecl)
{
    m_pLog->Add("CreateVertexDeclaration()");
    if (m_FailCreate)
    {
        *ppDecl = nullptr;
        return D3DERR_INVALIDCALL;
    }
    m_pLastDeclaration = new FakeDeclaration(pVertexElements);
    *ppDecl = m_pLastDeclaration;
    return D3D_OK;
}

HRESULT FakeDevice::CreateVertexShader(const DWORD* pFunction, IDirect3DVertexShader9** ppShader)
{
    m_pLog->Add("CreateVertexShader()");
    *ppShader = m_FailCreate ? nullptr : new FakeVertexShader(pFunction);
    return m_FailCreate ? D3DERR_INVALIDCALL : D3D_OK;
}

HRESULT FakeDevice::CreatePixelShader(const DWORD* pFunction, IDirect3DPixelShader9** ppShader)
{
    m_pLog->Add("CreatePixelShader()");
    *ppShader = m_FailCreate ? nullptr : new FakePixelShader(pFunction);
    return m_FailCreate ? D3DERR_INVALIDCALL : D3D_OK;
}

HRESULT FakeDevice::SetRenderTarget(DWORD Index, IDirect3DSurface9* pRenderTarget)
{
    m_pLog->Add(Call("SetRenderTarget", Index, pRenderTarget));
    if (Index >= 4)
    {
        return D3DERR_INVALIDCALL;
    }
    if (pRenderTarget)
    {
        pRenderTarget->AddRef();
    }
    if (m_pRenderTargets[Index])
    {
        m_pRenderTargets[Index]->Release();
    }
    m_pRenderTargets[Index] = pRenderTarget;
    return D3D_OK;
}

HRESULT FakeDevice::GetRenderTarget(DWORD Index, IDirect3DSurface9** ppRenderTarget)
{
    *ppRenderTarget = Index < 4 ? m_pRenderTargets[Index] : nullptr;
    if (!*ppRenderTarget)
    {
        return D3DERR_NOTFOUND;
    }
    (*ppRenderTarget)->AddRef();
    return D3D_OK;
}

HRESULT FakeDevice::SetDepthStencilSurface(IDirect3DSurface9* pNewZStencil)
{
    m_pLog->Add(Call("SetDepthStencilSurface", pNewZStencil));
    if (pNewZStencil)
    {
        pNewZStencil->AddRef();
    }
    if (m_pBoundDepthStencil)
    {
        m_pBoundDepthStencil->Release();
    }
    m_pBoundDepthStencil = pNewZStencil;
    return D3D_OK;
}

HRESULT FakeDevice::GetDepthStencilSurface(IDirect3DSurface9** ppZStencilSurface)
{
    *ppZStencilSurface = m_pBoundDepthStencil;
    if (!m_pBoundDepthStencil)
    {
        return D3DERR_NOTFOUND;
    }
    m_pBoundDepthStencil->AddRef();
    return D3D_OK;
}

HRESULT FakeDevice::SetViewport(const D3DVIEWPORT9* pViewport)
{
    m_pLog->Add(Call("SetViewport", pViewport->X, pViewport->Y, pViewport->Width, pViewport->Height,
                     pViewport->MinZ, pViewport->MaxZ));
    m_Viewport = *pViewport;
    return D3D_OK;
}

HRESULT FakeDevice::GetViewport(D3DVIEWPORT9* pViewport)
{
    *pViewport = m_Viewport;
    return D3D_OK;
}

HRESULT FakeDevice::SetRenderState(D3DRENDERSTATETYPE State, DWORD Value)
{
    m_pLog->Add(Call("SetRenderState", static_cast<DWORD>(State), Value));
    m_RenderStates[State] = Value;
    return D3D_OK;
}

HRESULT FakeDevice::GetRenderState(D3DRENDERSTATETYPE State, DWORD* pValue)
{
    *pValue = m_RenderStates[State];
    return D3D_OK;
}

HRESULT FakeDevice::SetScissorRect(const RECT* pRect)
{
    m_pLog->Add(Call("SetScissorRect", pRect->left, pRect->top, pRect->right, pRect->bottom));
    m_Scissor = *pRect;
    return D3D_OK;
}

HRESULT FakeDevice::GetScissorRect(RECT* pRect)
{
    *pRect = m_Scissor;
    return D3D_OK;
}

HRESULT FakeDevice::SetTexture(DWORD Stage, IDirect3DBaseTexture9* pTexture)
{
    m_pLog->Add(Call("SetTexture", Stage, pTexture));
    return D3D_OK;
}

HRESULT FakeDevice::SetSamplerState(DWORD Sampler, D3DSAMPLERSTATETYPE Type, DWORD Value)
{
    m_pLog->Add(Call("SetSamplerState", Sampler, static_cast<DWORD>(Type), Value));
    return D3D_OK;
}

HRESULT FakeDevice::SetStreamSource(UINT Stream, IDirect3DVertexBuffer9* pData, UINT Offset,
                                    UINT Stride)
{
    m_pLog->Add(Call("SetStreamSource", Stream, pData, Offset, Stride));
    return D3D_OK;
}

HRESULT FakeDevice::SetStreamSourceFreq(UINT Stream, UINT Setting)
{
    m_pLog->Add(Call("SetStreamSourceFreq", Stream, Setting));
    return D3D_OK;
}

HRESULT FakeDevice::SetIndices(IDirect3DIndexBuffer9* pIndexData)
{
    m_pLog->Add(Call("SetIndices", pIndexData));
    return D3D_OK;
}

HRESULT FakeDevice::SetVertexDeclaration(IDirect3DVertexDeclaration9* pDecl)
{
    m_pLog->Add(Call("SetVertexDeclaration", pDecl));
    return D3D_OK;
}

HRESULT FakeDevice::DrawPrimitive(D3DPRIMITIVETYPE Type, UINT StartVertex, UINT Count)
{
    m_pLog->Add(Call("DrawPrimitive", static_cast<DWORD>(Type), StartVertex, Count));
    return D3D_OK;
}

HRESULT FakeDevice::DrawIndexedPrimitive(D3DPRIMITIVETYPE Type, INT BaseVertexIndex,
                                         UINT MinVertexIndex, UINT NumVertices, UINT StartIndex,
                                         UINT Count)
{
    m_pLog->Add(Call("DrawIndexedPrimitive", static_cast<DWORD>(Type), BaseVertexIndex,
                     MinVertexIndex, NumVertices, StartIndex, Count));
    return D3D_OK;
}

HRESULT FakeDevice::DrawPrimitiveUP(D3DPRIMITIVETYPE Type, UINT Count, const void*, UINT Stride)
{
    m_pLog->Add(Call("DrawPrimitiveUP", static_cast<DWORD>(Type), Count, Stride));
    return D3D_OK;
}

HRESULT FakeDevice::SetVertexShader(IDirect3DVertexShader9* pShader)
{
    m_pLog->Add(Call("SetVertexShader", pShader));
    return D3D_OK;
}

HRESULT FakeDevice::SetPixelShader(IDirect3DPixelShader9* pShader)
{
    m_pLog->Add(Call("SetPixelShader", pShader));
    return D3D_OK;
}

HRESULT FakeDevice::SetVertexShaderConstantF(UINT Start, const float* pData, UINT Count)
{
    m_pLog->Add(Call("SetVertexShaderConstantF", Start, Count));
    m_FloatConstants.assign(pData, pData + Count * 4);
    return D3D_OK;
}

HRESULT FakeDevice::SetVertexShaderConstantI(UINT Start, const int*, UINT Count)
{
    m_pLog->Add(Call("SetVertexShaderConstantI", Start, Count));
    return D3D_OK;
}

HRESULT FakeDevice::SetVertexShaderConstantB(UINT Start, const BOOL* pData, UINT Count)
{
    m_pLog->Add(Call("SetVertexShaderConstantB", Start, Count));
    m_BoolConstants.assign(pData, pData + Count);
    return D3D_OK;
}

HRESULT FakeDevice::SetPixelShaderConstantF(UINT Start, const float* pData, UINT Count)
{
    m_pLog->Add(Call("SetPixelShaderConstantF", Start, Count));
    m_FloatConstants.assign(pData, pData + Count * 4);
    return D3D_OK;
}

HRESULT FakeDevice::SetPixelShaderConstantI(UINT Start, const int*, UINT Count)
{
    m_pLog->Add(Call("SetPixelShaderConstantI", Start, Count));
    return D3D_OK;
}

HRESULT FakeDevice::SetPixelShaderConstantB(UINT Start, const BOOL* pData, UINT Count)
{
    m_pLog->Add(Call("SetPixelShaderConstantB", Start, Count));
    m_BoolConstants.assign(pData, pData + Count);
    return D3D_OK;
}

// ---- Direct3D ----

HRESULT FakeDirect3D::GetAdapterIdentifier(UINT Adapter, DWORD, D3DADAPTER_IDENTIFIER9* pId)
{
    if (Adapter >= m_Adapters.size())
    {
        return D3DERR_INVALIDCALL;
    }
    *pId = {};
    std::strncpy(pId->Description, m_Adapters[Adapter].c_str(), sizeof(pId->Description) - 1);
    return D3D_OK;
}

HRESULT FakeDirect3D::CheckDeviceMultiSampleType(UINT Adapter, D3DDEVTYPE DeviceType,
                                                 D3DFORMAT Format, BOOL Windowed,
                                                 D3DMULTISAMPLE_TYPE Type, DWORD*)
{
    m_pLog->Add(Call("CheckDeviceMultiSampleType", Adapter, static_cast<DWORD>(DeviceType),
                     static_cast<DWORD>(Format), Windowed, static_cast<DWORD>(Type)));
    return m_RejectMultiSample ? D3DERR_NOTAVAILABLE : D3D_OK;
}

HRESULT FakeDirect3D::CreateDevice(UINT Adapter, D3DDEVTYPE DeviceType, HWND hFocusWindow,
                                   DWORD Behaviour, D3DPRESENT_PARAMETERS* pParams,
                                   IDirect3DDevice9** ppDevice)
{
    m_pLog->Add(Call("CreateDevice", Adapter, static_cast<DWORD>(DeviceType),
                     hFocusWindow ? "window" : "null", Behaviour, pParams->Windowed));
    m_CreateParams = *pParams;
    if (m_FailCreateDevice)
    {
        *ppDevice = nullptr;
        return D3DERR_NOTAVAILABLE;
    }
    m_pCreated = new FakeDevice(m_pLog, pParams->BackBufferWidth, pParams->BackBufferHeight);
    m_pCreated->m_Caps = m_Caps;
    *ppDevice = m_pCreated;
    return D3D_OK;
}

} // namespace Dx9Test
