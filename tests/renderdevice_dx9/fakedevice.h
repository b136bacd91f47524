#pragma once
// A recording fake of the Direct3D 9 interfaces the back end calls, with no GL.
//
// Every device call that changes state is appended to a call log as text, for example
// "SetRenderState(22,1)" or "SetTexture(257,#3)" (#n names the fake object with id n).
// Objects count references and delete themselves at zero, so a leak shows under ASan.

#include "d3d9gl/d3d9.h"
#include "d3d9gl/d3dx9.h"

#include <map>
#include <set>
#include <sstream>
#include <string>
#include <type_traits>
#include <vector>

namespace Dx9Test
{

class CallLog
{
public:
    void Add(std::string call) { m_Calls.push_back(std::move(call)); }
    const std::vector<std::string>& Calls() const { return m_Calls; }
    // Calls whose text starts with prefix.
    size_t Count(const std::string& prefix) const;
    bool Has(const std::string& call) const;
    void Clear() { m_Calls.clear(); }

private:
    std::vector<std::string> m_Calls;
};

// "#id" of a fake object, "null" for none.
std::string Name(IUnknown* pObject);

// "name(arg,arg,...)" with objects by Name.
template <class... Args> std::string Call(const char* name, const Args&... args)
{
    std::ostringstream out;
    out << name << '(';
    const char* pSeparator = "";
    [[maybe_unused]] auto append = [&](const auto& arg)
    {
        out << pSeparator;
        if constexpr (std::is_convertible_v<decltype(arg), IUnknown*>)
        {
            out << Name(arg);
        }
        else
        {
            out << arg;
        }
        pSeparator = ",";
    };
    (append(args), ...);
    out << ')';
    return out.str();
}

// An id shared by every fake object, for Name.
class FakeObject
{
public:
    virtual ~FakeObject() = default;
    int Id() const { return m_Id; }
    ULONG Refs() const { return m_Refs; }

protected:
    FakeObject();
    ULONG m_Refs = 1;

private:
    int m_Id;
};

// Counts references and deletes itself at zero.
template <class Interface> class Fake : public Interface, public FakeObject
{
public:
    ULONG AddRef() override { return ++m_Refs; }
    ULONG Release() override
    {
        const ULONG refs = --m_Refs;
        if (refs == 0)
        {
            delete this;
        }
        return refs;
    }
};

// Device methods that only log their arguments, "Method(arg,...)" (Record), and methods
// the back end never calls.
#define DX9TEST_LOGGED(Method, Params, ...)                                                        \
    HRESULT Method Params override                                                                 \
    {                                                                                              \
        return Record(#Method __VA_OPT__(, ) __VA_ARGS__);                                         \
    }
#define DX9TEST_UNUSED(Method, Params)                                                             \
    HRESULT Method Params override                                                                 \
    {                                                                                              \
        return E_NOTIMPL;                                                                          \
    }

class FakeSurface final : public Fake<IDirect3DSurface9>
{
public:
    FakeSurface(UINT width, UINT height, D3DFORMAT format, int bytesPerTexel, int pitchPadding = 0);
    D3DRESOURCETYPE GetType() override { return D3DRTYPE_SURFACE; }
    HRESULT GetDesc(D3DSURFACE_DESC* pDesc) override { return *pDesc = m_Desc, D3D_OK; }
    HRESULT LockRect(D3DLOCKED_RECT* pLockedRect, const RECT* pRect, DWORD Flags) override;
    HRESULT UnlockRect() override { return --m_LockCount, D3D_OK; }

    std::vector<BYTE> m_Bits;
    INT m_Pitch;
    D3DSURFACE_DESC m_Desc = {};
    int m_LockCount = 0;
    std::vector<DWORD> m_LockFlags;
};

// Owns its surfaces: texture levels halving in size, or cube faces.
template <class Interface> class FakeSurfaces : public Fake<Interface>
{
public:
    ~FakeSurfaces() override
    {
        for (FakeSurface* pSurface : m_Levels)
        {
            pSurface->Release();
        }
    }
    DWORD GetLevelCount() override { return static_cast<DWORD>(m_Levels.size()); }
    HRESULT GetLevelDesc(UINT, D3DSURFACE_DESC* pDesc) override
    {
        return m_Levels[0]->GetDesc(pDesc);
    }
    HRESULT Surface(UINT index, IDirect3DSurface9** ppSurface)
    {
        *ppSurface = index < m_Levels.size() ? m_Levels[index] : nullptr;
        return *ppSurface ? ((*ppSurface)->AddRef(), D3D_OK) : D3DERR_INVALIDCALL;
    }

    std::vector<FakeSurface*> m_Levels;
};

class FakeTexture final : public FakeSurfaces<IDirect3DTexture9>
{
public:
    FakeTexture(UINT width, UINT height, UINT levels, D3DFORMAT format, int bytesPerTexel,
                int pitchPadding = 0);
    D3DRESOURCETYPE GetType() override { return D3DRTYPE_TEXTURE; }
    HRESULT GetSurfaceLevel(UINT Level, IDirect3DSurface9** ppSurface) override
    {
        return Surface(Level, ppSurface);
    }
    HRESULT LockRect(UINT Level, D3DLOCKED_RECT* pLocked, const RECT* pRect, DWORD Flags) override
    {
        return Level < m_Levels.size() ? m_Levels[Level]->LockRect(pLocked, pRect, Flags)
                                       : D3DERR_INVALIDCALL;
    }
    HRESULT UnlockRect(UINT Level) override
    {
        return Level < m_Levels.size() ? m_Levels[Level]->UnlockRect() : D3DERR_INVALIDCALL;
    }
};

// Six one-level faces in m_Levels.
class FakeCubeTexture final : public FakeSurfaces<IDirect3DCubeTexture9>
{
public:
    FakeCubeTexture(UINT edge, D3DFORMAT format);
    D3DRESOURCETYPE GetType() override { return D3DRTYPE_CUBETEXTURE; }
    HRESULT GetCubeMapSurface(D3DCUBEMAP_FACES Face, UINT, IDirect3DSurface9** ppSurface) override
    {
        return Surface(Face, ppSurface);
    }
    DX9TEST_UNUSED(LockRect, (D3DCUBEMAP_FACES, UINT, D3DLOCKED_RECT*, const RECT*, DWORD))
    DX9TEST_UNUSED(UnlockRect, (D3DCUBEMAP_FACES, UINT))
};

template <class Interface, class Desc> class FakeBuffer final : public Fake<Interface>
{
public:
    explicit FakeBuffer(UINT size) : m_Bytes(size) {}
    D3DRESOURCETYPE GetType() override
    {
        return std::is_same_v<Interface, IDirect3DIndexBuffer9> ? D3DRTYPE_INDEXBUFFER
                                                                : D3DRTYPE_VERTEXBUFFER;
    }
    HRESULT Lock(UINT offset, UINT, void** ppbData, DWORD flags) override
    {
        m_LockFlags.push_back(flags);
        *ppbData = m_FailLock ? nullptr : m_Bytes.data() + offset;
        return m_FailLock ? D3DERR_INVALIDCALL : D3D_OK;
    }
    HRESULT Unlock() override { return ++m_UnlockCount, D3D_OK; }
    DX9TEST_UNUSED(GetDesc, (Desc*))

    std::vector<BYTE> m_Bytes;
    std::vector<DWORD> m_LockFlags;
    int m_UnlockCount = 0;
    bool m_FailLock = false;
};
using FakeVertexBuffer = FakeBuffer<IDirect3DVertexBuffer9, D3DVERTEXBUFFER_DESC>;
using FakeIndexBuffer = FakeBuffer<IDirect3DIndexBuffer9, D3DINDEXBUFFER_DESC>;

class FakeDeclaration final : public Fake<IDirect3DVertexDeclaration9>
{
public:
    explicit FakeDeclaration(const D3DVERTEXELEMENT9* pElements);
    DX9TEST_UNUSED(GetDeclaration, (D3DVERTEXELEMENT9*, UINT*))

    std::vector<D3DVERTEXELEMENT9> m_Elements; // end marker included
};

// Shaders keep the text they were created from; GetFunction hands back a blob in
// d3d9gl's layout (version token, text, end token).
template <class Interface, DWORD Version> class FakeShader final : public Fake<Interface>
{
public:
    explicit FakeShader(const DWORD* pFunction) : m_Text(reinterpret_cast<const char*>(pFunction))
    {
    }
    HRESULT GetFunction(void* pData, UINT* pSizeOfData) override;

    std::string m_Text;
};
using FakeVertexShader = FakeShader<IDirect3DVertexShader9, 0xFFFE0300>;
using FakePixelShader = FakeShader<IDirect3DPixelShader9, 0xFFFF0300>;

class FakeDirect3D;

class FakeDevice final : public Fake<IDirect3DDevice9>
{
public:
    FakeDevice(CallLog* pLog, UINT width, UINT height);
    ~FakeDevice() override;

    // Device and frame.
    HRESULT TestCooperativeLevel() override { return m_CooperativeLevel; }
    UINT GetAvailableTextureMem() override { return 256u << 20; }
    HRESULT GetDeviceCaps(D3DCAPS9* pCaps) override;
    // The creating FakeDirect3D; refused for a device made without one.
    HRESULT GetDirect3D(IDirect3D9** ppD3D9) override;
    HRESULT Reset(D3DPRESENT_PARAMETERS* pParams) override;
    DX9TEST_LOGGED(Present, (const RECT*, const RECT*, HWND, const RGNDATA*))
    HRESULT GetBackBuffer(UINT, UINT, D3DBACKBUFFER_TYPE, IDirect3DSurface9** ppSurface) override
    {
        return Bound(m_pBackBuffer, ppSurface);
    }
    DX9TEST_LOGGED(BeginScene, ())
    DX9TEST_LOGGED(EndScene, ())
    DX9TEST_LOGGED(Clear, (DWORD n, const D3DRECT* p, DWORD f, D3DCOLOR c, float z, DWORD s), n,
                   p ? "rects" : "null", f, c, z, s)

    // Resource creation: logged, and refused while m_FailCreate is set.
    HRESULT CreateTexture(UINT Width, UINT Height, UINT Levels, DWORD Usage, D3DFORMAT Format,
                          D3DPOOL Pool, IDirect3DTexture9** ppTexture, HANDLE*) override;
    DX9TEST_UNUSED(CreateVolumeTexture, (UINT, UINT, UINT, UINT, DWORD, D3DFORMAT, D3DPOOL,
                                         IDirect3DVolumeTexture9**, HANDLE*))
    HRESULT CreateCubeTexture(UINT EdgeLength, UINT Levels, DWORD Usage, D3DFORMAT Format,
                              D3DPOOL Pool, IDirect3DCubeTexture9** ppCubeTexture,
                              HANDLE*) override;
    HRESULT CreateVertexBuffer(UINT Length, DWORD Usage, DWORD FVF, D3DPOOL Pool,
                               IDirect3DVertexBuffer9** ppVertexBuffer, HANDLE*) override;
    HRESULT CreateIndexBuffer(UINT Length, DWORD Usage, D3DFORMAT Format, D3DPOOL Pool,
                              IDirect3DIndexBuffer9** ppIndexBuffer, HANDLE*) override;
    HRESULT CreateDepthStencilSurface(UINT Width, UINT Height, D3DFORMAT Format,
                                      D3DMULTISAMPLE_TYPE MultiSample, DWORD Quality, BOOL Discard,
                                      IDirect3DSurface9** ppSurface, HANDLE*) override;
    DX9TEST_UNUSED(CreateOffscreenPlainSurface,
                   (UINT, UINT, D3DFORMAT, D3DPOOL, IDirect3DSurface9**, HANDLE*))
    HRESULT CreateVertexDeclaration(const D3DVERTEXELEMENT9* pVertexElements,
                                    IDirect3DVertexDeclaration9** ppDecl) override;
    HRESULT CreateVertexShader(const DWORD* pFunction, IDirect3DVertexShader9** ppShader) override;
    HRESULT CreatePixelShader(const DWORD* pFunction, IDirect3DPixelShader9** ppShader) override;

    // Render targets hold a reference to what is bound.
    DX9TEST_UNUSED(GetRenderTargetData, (IDirect3DSurface9*, IDirect3DSurface9*))
    HRESULT SetRenderTarget(DWORD Index, IDirect3DSurface9* pRenderTarget) override;
    HRESULT GetRenderTarget(DWORD Index, IDirect3DSurface9** ppSurface) override
    {
        return Bound(Index < 4 ? m_pRenderTargets[Index] : nullptr, ppSurface);
    }
    HRESULT SetDepthStencilSurface(IDirect3DSurface9* pSurface) override;
    HRESULT GetDepthStencilSurface(IDirect3DSurface9** ppSurface) override
    {
        return Bound(m_pBoundDepthStencil, ppSurface);
    }

    // Fixed-function state: the last viewport, scissor and render states read back.
    HRESULT SetViewport(const D3DVIEWPORT9* pViewport) override;
    HRESULT GetViewport(D3DVIEWPORT9* pViewport) override;
    HRESULT SetRenderState(D3DRENDERSTATETYPE State, DWORD Value) override;
    HRESULT GetRenderState(D3DRENDERSTATETYPE State, DWORD* pValue) override;
    HRESULT SetScissorRect(const RECT* pRect) override;
    HRESULT GetScissorRect(RECT* pRect) override;
    DX9TEST_LOGGED(SetTexture, (DWORD stage, IDirect3DBaseTexture9* p), stage, p)
    DX9TEST_UNUSED(GetTexture, (DWORD, IDirect3DBaseTexture9**))
    DX9TEST_LOGGED(SetSamplerState, (DWORD n, D3DSAMPLERSTATETYPE type, DWORD v), n, type, v)
    DX9TEST_UNUSED(GetSamplerState, (DWORD, D3DSAMPLERSTATETYPE, DWORD*))

    // Input assembly and draws.
    DX9TEST_LOGGED(SetStreamSource, (UINT n, IDirect3DVertexBuffer9* p, UINT offset, UINT stride),
                   n, p, offset, stride)
    DX9TEST_UNUSED(GetStreamSource, (UINT, IDirect3DVertexBuffer9**, UINT*, UINT*))
    DX9TEST_LOGGED(SetStreamSourceFreq, (UINT n, UINT setting), n, setting)
    DX9TEST_UNUSED(GetStreamSourceFreq, (UINT, UINT*))
    DX9TEST_LOGGED(SetIndices, (IDirect3DIndexBuffer9 * p), p)
    DX9TEST_UNUSED(GetIndices, (IDirect3DIndexBuffer9**))
    DX9TEST_LOGGED(SetVertexDeclaration, (IDirect3DVertexDeclaration9 * p), p)
    DX9TEST_UNUSED(GetVertexDeclaration, (IDirect3DVertexDeclaration9**))
    DX9TEST_LOGGED(DrawPrimitive, (D3DPRIMITIVETYPE type, UINT start, UINT n), type, start, n)
    DX9TEST_LOGGED(DrawIndexedPrimitive,
                   (D3DPRIMITIVETYPE type, INT base, UINT min, UINT num, UINT start, UINT n), type,
                   base, min, num, start, n)
    DX9TEST_LOGGED(DrawPrimitiveUP, (D3DPRIMITIVETYPE type, UINT n, const void*, UINT stride), type,
                   n, stride)

    // Shaders and constants; the values of the last float and bool calls are kept.
    DX9TEST_LOGGED(SetVertexShader, (IDirect3DVertexShader9 * p), p)
    DX9TEST_UNUSED(GetVertexShader, (IDirect3DVertexShader9**))
    DX9TEST_LOGGED(SetPixelShader, (IDirect3DPixelShader9 * p), p)
    DX9TEST_UNUSED(GetPixelShader, (IDirect3DPixelShader9**))
    HRESULT SetVertexShaderConstantF(UINT Start, const float* pData, UINT Count) override
    {
        m_FloatConstants.assign(pData, pData + Count * 4);
        return Record("SetVertexShaderConstantF", Start, Count);
    }
    DX9TEST_UNUSED(GetVertexShaderConstantF, (UINT, float*, UINT))
    DX9TEST_LOGGED(SetVertexShaderConstantI, (UINT start, const int*, UINT n), start, n)
    HRESULT SetVertexShaderConstantB(UINT Start, const BOOL* pData, UINT Count) override
    {
        m_BoolConstants.assign(pData, pData + Count);
        return Record("SetVertexShaderConstantB", Start, Count);
    }
    HRESULT SetPixelShaderConstantF(UINT Start, const float* pData, UINT Count) override
    {
        m_FloatConstants.assign(pData, pData + Count * 4);
        return Record("SetPixelShaderConstantF", Start, Count);
    }
    DX9TEST_UNUSED(GetPixelShaderConstantF, (UINT, float*, UINT))
    DX9TEST_LOGGED(SetPixelShaderConstantI, (UINT start, const int*, UINT n), start, n)
    HRESULT SetPixelShaderConstantB(UINT Start, const BOOL* pData, UINT Count) override
    {
        m_BoolConstants.assign(pData, pData + Count);
        return Record("SetPixelShaderConstantB", Start, Count);
    }

    CallLog* m_pLog;
    HRESULT m_CooperativeLevel = D3D_OK;
    HRESULT m_ResetResult = D3D_OK;
    D3DCAPS9 m_Caps = {};
    int m_CapsReads = 0;
    bool m_FailCreate = false;
    bool m_FailBufferLocks = false; // buffers created while set refuse every lock
    std::map<DWORD, DWORD> m_RenderStates;
    D3DVIEWPORT9 m_Viewport = {};
    RECT m_Scissor = {};
    FakeSurface* m_pBackBuffer;
    FakeSurface* m_pDepthStencil;
    IDirect3DSurface9* m_pRenderTargets[4] = {};
    IDirect3DSurface9* m_pBoundDepthStencil = nullptr;
    std::vector<float> m_FloatConstants;
    std::vector<BOOL> m_BoolConstants;
    D3DPRESENT_PARAMETERS m_LastReset = {};
    // Created objects stay reachable for inspection (borrowed; they may be gone).
    FakeVertexBuffer* m_pLastVertexBuffer = nullptr;
    FakeIndexBuffer* m_pLastIndexBuffer = nullptr;
    FakeDeclaration* m_pLastDeclaration = nullptr;
    FakeDirect3D* m_pDirect3D = nullptr; // borrowed: the test keeps it

private:
    template <class... Args> HRESULT Record(const char* name, const Args&... args)
    {
        m_pLog->Add(Call(name, args...));
        return D3D_OK;
    }
    // Logs the call and makes the object unless creation is set to fail.
    template <class Fake, class Interface, class... Args>
    HRESULT Create(std::string call, Interface** ppObject, Fake** ppKept, const Args&... args)
    {
        m_pLog->Add(std::move(call));
        *ppKept = m_FailCreate ? nullptr : new Fake(args...);
        *ppObject = *ppKept;
        return *ppKept ? D3D_OK : D3DERR_INVALIDCALL;
    }
    HRESULT Bind(IDirect3DSurface9*& pSlot, IDirect3DSurface9* pSurface, std::string call);
    static HRESULT Bound(IDirect3DSurface9* pSlot, IDirect3DSurface9** ppSurface);
};

// Adapters by description; CreateDevice returns a FakeDevice on the call log.
class FakeDirect3D final : public Fake<IDirect3D9>
{
public:
    explicit FakeDirect3D(CallLog* pLog) : m_pLog(pLog) {}
    UINT GetAdapterCount() override { return static_cast<UINT>(m_Adapters.size()); }
    HRESULT GetAdapterIdentifier(UINT Adapter, DWORD, D3DADAPTER_IDENTIFIER9* pId) override;
    HRESULT CheckDeviceMultiSampleType(UINT Adapter, D3DDEVTYPE DeviceType, D3DFORMAT Format,
                                       BOOL Windowed, D3DMULTISAMPLE_TYPE Type, DWORD*) override
    {
        m_pLog->Add(
            Call("CheckDeviceMultiSampleType", Adapter, DeviceType, Format, Windowed, Type));
        return m_RejectMultiSample ? D3DERR_NOTAVAILABLE : D3D_OK;
    }
    HMONITOR GetAdapterMonitor(UINT) override { return nullptr; }
    HRESULT CheckDeviceFormat(UINT, D3DDEVTYPE, D3DFORMAT, DWORD, D3DRESOURCETYPE,
                              D3DFORMAT CheckFormat) override
    {
        return m_TextureFormats.count(CheckFormat) ? D3D_OK : D3DERR_NOTAVAILABLE;
    }
    HRESULT CreateDevice(UINT Adapter, D3DDEVTYPE DeviceType, HWND hFocusWindow, DWORD Behaviour,
                         D3DPRESENT_PARAMETERS* pParams, IDirect3DDevice9** ppDevice) override;

    CallLog* m_pLog;
    std::vector<std::string> m_Adapters = {"llvmpipe"};
    bool m_RejectMultiSample = false;
    bool m_FailCreateDevice = false;
    std::set<D3DFORMAT> m_TextureFormats; // what CheckDeviceFormat accepts
    D3DCAPS9 m_Caps = {};
    D3DPRESENT_PARAMETERS m_CreateParams = {};
    FakeDevice* m_pCreated = nullptr; // borrowed: the render device owns it
};

} // namespace Dx9Test
