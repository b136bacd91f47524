#include "fakedevice.h"

#include <algorithm>
#include <cstring>

namespace Dx9Test
{
namespace
{
int g_NextId = 1;

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

std::string Name(IUnknown* pObject)
{
    if (!pObject)
    {
        return "null";
    }
    auto* pFake = dynamic_cast<FakeObject*>(pObject);
    return pFake ? "#" + std::to_string(pFake->Id()) : "?";
}

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

HRESULT FakeSurface::LockRect(D3DLOCKED_RECT* pLockedRect, const RECT*, DWORD Flags)
{
    m_LockFlags.push_back(Flags);
    ++m_LockCount;
    pLockedRect->pBits = m_Bits.data();
    pLockedRect->Pitch = m_Pitch;
    return D3D_OK;
}

FakeTexture::FakeTexture(UINT width, UINT height, UINT levels, D3DFORMAT format, int bytesPerTexel,
                         int pitchPadding)
{
    for (UINT level = 0; level < std::max(levels, 1u); ++level)
    {
        m_Levels.push_back(new FakeSurface(width, height, format, bytesPerTexel, pitchPadding));
        width = std::max(width / 2, 1u);
        height = std::max(height / 2, 1u);
    }
}

FakeCubeTexture::FakeCubeTexture(UINT edge, D3DFORMAT format)
{
    for (int face = 0; face < 6; ++face)
    {
        m_Levels.push_back(new FakeSurface(edge, edge, format, BytesPerTexel(format)));
    }
}

FakeDeclaration::FakeDeclaration(const D3DVERTEXELEMENT9* pElements)
{
    do
    {
        m_Elements.push_back(*pElements);
    } while ((pElements++)->Stream != 0xFF);
}

template <class Interface, DWORD Version>
HRESULT FakeShader<Interface, Version>::GetFunction(void* pData, UINT* pSizeOfData)
{
    std::vector<DWORD> blob(m_Text.size() / 4 + 3, 0);
    blob.front() = Version;
    std::memcpy(&blob[1], m_Text.data(), m_Text.size());
    blob.back() = 0x0000FFFF;
    const UINT size = static_cast<UINT>(blob.size() * sizeof(DWORD));
    if (pData)
    {
        std::memcpy(pData, blob.data(), std::min(size, *pSizeOfData));
    }
    *pSizeOfData = size;
    return D3D_OK;
}
template class FakeShader<IDirect3DVertexShader9, 0xFFFE0300>;
template class FakeShader<IDirect3DPixelShader9, 0xFFFF0300>;

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
    for (IDirect3DSurface9* pSurface : m_pRenderTargets)
    {
        Bind(pSurface, nullptr, {});
    }
    Bind(m_pBoundDepthStencil, nullptr, {});
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
    m_LastReset = *pParams;
    Record("Reset", pParams->Windowed);
    return m_ResetResult;
}

HRESULT FakeDevice::SetRenderTarget(DWORD Index, IDirect3DSurface9* pRenderTarget)
{
    const std::string call = Call("SetRenderTarget", Index, pRenderTarget);
    return Index < 4 ? Bind(m_pRenderTargets[Index], pRenderTarget, call) : D3DERR_INVALIDCALL;
}

HRESULT FakeDevice::SetDepthStencilSurface(IDirect3DSurface9* pSurface)
{
    return Bind(m_pBoundDepthStencil, pSurface, Call("SetDepthStencilSurface", pSurface));
}

HRESULT FakeDevice::SetViewport(const D3DVIEWPORT9* pViewport)
{
    m_Viewport = *pViewport;
    return Record("SetViewport", pViewport->X, pViewport->Y, pViewport->Width, pViewport->Height,
                  pViewport->MinZ, pViewport->MaxZ);
}

HRESULT FakeDevice::GetViewport(D3DVIEWPORT9* pViewport)
{
    *pViewport = m_Viewport;
    return D3D_OK;
}

HRESULT FakeDevice::SetRenderState(D3DRENDERSTATETYPE State, DWORD Value)
{
    m_RenderStates[State] = Value;
    return Record("SetRenderState", State, Value);
}

HRESULT FakeDevice::GetRenderState(D3DRENDERSTATETYPE State, DWORD* pValue)
{
    *pValue = m_RenderStates[State];
    return D3D_OK;
}

HRESULT FakeDevice::SetScissorRect(const RECT* pRect)
{
    m_Scissor = *pRect;
    return Record("SetScissorRect", pRect->left, pRect->top, pRect->right, pRect->bottom);
}

HRESULT FakeDevice::GetScissorRect(RECT* pRect)
{
    *pRect = m_Scissor;
    return D3D_OK;
}

HRESULT FakeDevice::Bind(IDirect3DSurface9*& pSlot, IDirect3DSurface9* pSurface, std::string call)
{
    if (!call.empty())
    {
        m_pLog->Add(std::move(call));
    }
    if (pSurface)
    {
        pSurface->AddRef();
    }
    if (pSlot)
    {
        pSlot->Release();
    }
    pSlot = pSurface;
    return D3D_OK;
}

HRESULT FakeDevice::Bound(IDirect3DSurface9* pSlot, IDirect3DSurface9** ppSurface)
{
    *ppSurface = pSlot;
    if (!pSlot)
    {
        return D3DERR_NOTFOUND;
    }
    pSlot->AddRef();
    return D3D_OK;
}

HRESULT FakeDevice::CreateTexture(UINT Width, UINT Height, UINT Levels, DWORD Usage,
                                  D3DFORMAT Format, D3DPOOL Pool, IDirect3DTexture9** ppTexture,
                                  HANDLE*)
{
    FakeTexture* pTexture = nullptr;
    return Create(Call("CreateTexture", Width, Height, Levels, Usage, Format, Pool), ppTexture,
                  &pTexture, Width, Height, Levels, Format, BytesPerTexel(Format));
}

HRESULT FakeDevice::CreateCubeTexture(UINT EdgeLength, UINT Levels, DWORD Usage, D3DFORMAT Format,
                                      D3DPOOL Pool, IDirect3DCubeTexture9** ppCubeTexture, HANDLE*)
{
    FakeCubeTexture* pTexture = nullptr;
    return Create(Call("CreateCubeTexture", EdgeLength, Levels, Usage, Format, Pool), ppCubeTexture,
                  &pTexture, EdgeLength, Format);
}

HRESULT FakeDevice::CreateVertexBuffer(UINT Length, DWORD Usage, DWORD FVF, D3DPOOL Pool,
                                       IDirect3DVertexBuffer9** ppVertexBuffer, HANDLE*)
{
    const HRESULT result = Create(Call("CreateVertexBuffer", Length, Usage, FVF, Pool),
                                  ppVertexBuffer, &m_pLastVertexBuffer, Length);
    if (m_pLastVertexBuffer)
        m_pLastVertexBuffer->m_FailLock = m_FailBufferLocks;
    return result;
}

HRESULT FakeDevice::CreateIndexBuffer(UINT Length, DWORD Usage, D3DFORMAT Format, D3DPOOL Pool,
                                      IDirect3DIndexBuffer9** ppIndexBuffer, HANDLE*)
{
    const HRESULT result = Create(Call("CreateIndexBuffer", Length, Usage, Format, Pool),
                                  ppIndexBuffer, &m_pLastIndexBuffer, Length);
    if (m_pLastIndexBuffer)
        m_pLastIndexBuffer->m_FailLock = m_FailBufferLocks;
    return result;
}

HRESULT FakeDevice::CreateDepthStencilSurface(UINT Width, UINT Height, D3DFORMAT Format,
                                              D3DMULTISAMPLE_TYPE MultiSample, DWORD Quality,
                                              BOOL Discard, IDirect3DSurface9** ppSurface, HANDLE*)
{
    FakeSurface* pSurface = nullptr;
    return Create(
        Call("CreateDepthStencilSurface", Width, Height, Format, MultiSample, Quality, Discard),
        ppSurface, &pSurface, Width, Height, Format, 4);
}

HRESULT FakeDevice::CreateVertexDeclaration(const D3DVERTEXELEMENT9* pVertexElements,
                                            IDirect3DVertexDeclaration9** ppDecl)
{
    return Create(Call("CreateVertexDeclaration"), ppDecl, &m_pLastDeclaration, pVertexElements);
}

HRESULT FakeDevice::CreateVertexShader(const DWORD* pFunction, IDirect3DVertexShader9** ppShader)
{
    FakeVertexShader* pShader = nullptr;
    return Create(Call("CreateVertexShader"), ppShader, &pShader, pFunction);
}

HRESULT FakeDevice::CreatePixelShader(const DWORD* pFunction, IDirect3DPixelShader9** ppShader)
{
    FakePixelShader* pShader = nullptr;
    return Create(Call("CreatePixelShader"), ppShader, &pShader, pFunction);
}

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

HRESULT FakeDevice::GetDirect3D(IDirect3D9** ppD3D9)
{
    if (!m_pDirect3D)
        return D3DERR_INVALIDCALL;
    m_pDirect3D->AddRef();
    *ppD3D9 = m_pDirect3D;
    return D3D_OK;
}

HRESULT FakeDirect3D::CreateDevice(UINT Adapter, D3DDEVTYPE DeviceType, HWND hFocusWindow,
                                   DWORD Behaviour, D3DPRESENT_PARAMETERS* pParams,
                                   IDirect3DDevice9** ppDevice)
{
    m_pLog->Add(Call("CreateDevice", Adapter, DeviceType, hFocusWindow ? "window" : "null",
                     Behaviour, pParams->Windowed));
    m_CreateParams = *pParams;
    m_pCreated = m_FailCreateDevice
                     ? nullptr
                     : new FakeDevice(m_pLog, pParams->BackBufferWidth, pParams->BackBufferHeight);
    if (m_pCreated)
    {
        m_pCreated->m_Caps = m_Caps;
        m_pCreated->m_pDirect3D = this;
    }
    *ppDevice = m_pCreated;
    return m_pCreated ? D3D_OK : D3DERR_NOTAVAILABLE;
}

} // namespace Dx9Test
