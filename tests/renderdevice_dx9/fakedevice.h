#pragma once
// A recording fake of the Direct3D 9 interfaces the back end calls, with no GL.
//
// Every device call that changes state is appended to a call log as text, for example
// "SetRenderState(22,1)" or "SetTexture(257,#3)" (#n names the fake object with id n).
// Objects count references and delete themselves at zero, so a leak shows under ASan.

#include "d3d9gl/d3d9.h"
#include "d3d9gl/d3dx9.h"

#include <map>
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

// Reference counting and an id shared by every fake object.
class FakeObject
{
public:
    virtual ~FakeObject() = default;
    int Id() const { return m_Id; }
    ULONG Refs() const { return m_Refs; }

protected:
    FakeObject();
    ULONG DoAddRef() { return ++m_Refs; }
    ULONG DoRelease();

private:
    int m_Id;
    ULONG m_Refs = 1;
};

#define DX9TEST_REFCOUNTED                                                                         \
    ULONG AddRef() override                                                                        \
    {                                                                                              \
        return DoAddRef();                                                                         \
    }                                                                                              \
    ULONG Release() override                                                                       \
    {                                                                                              \
        return DoRelease();                                                                        \
    }

// "#id" of a fake object, "null" for none.
std::string Name(IUnknown* pObject);

class FakeSurface final : public IDirect3DSurface9, public FakeObject
{
public:
    FakeSurface(UINT width, UINT height, D3DFORMAT format, int bytesPerTexel, int pitchPadding = 0);
    DX9TEST_REFCOUNTED
    D3DRESOURCETYPE GetType() override { return D3DRTYPE_SURFACE; }
    HRESULT GetDesc(D3DSURFACE_DESC* pDesc) override;
    HRESULT LockRect(D3DLOCKED_RECT* pLockedRect, const RECT* pRect, DWORD Flags) override;
    HRESULT UnlockRect() override;

    std::vector<BYTE> m_Bits;
    INT m_Pitch;
    D3DSURFACE_DESC m_Desc = {};
    int m_LockCount = 0;
    std::vector<DWORD> m_LockFlags;
    bool m_FailLock = false;
};

class FakeTexture final : public IDirect3DTexture9, public FakeObject
{
public:
    // A level chain halving down to 1 x 1, or `levels` levels.
    FakeTexture(UINT width, UINT height, UINT levels, D3DFORMAT format, int bytesPerTexel,
                int pitchPadding = 0);
    ~FakeTexture() override;
    DX9TEST_REFCOUNTED
    D3DRESOURCETYPE GetType() override { return D3DRTYPE_TEXTURE; }
    DWORD GetLevelCount() override { return static_cast<DWORD>(m_Levels.size()); }
    HRESULT GetLevelDesc(UINT Level, D3DSURFACE_DESC* pDesc) override;
    HRESULT GetSurfaceLevel(UINT Level, IDirect3DSurface9** ppSurfaceLevel) override;
    HRESULT LockRect(UINT Level, D3DLOCKED_RECT* pLockedRect, const RECT* pRect,
                     DWORD Flags) override;
    HRESULT UnlockRect(UINT Level) override;

    std::vector<FakeSurface*> m_Levels;
};

class FakeCubeTexture final : public IDirect3DCubeTexture9, public FakeObject
{
public:
    FakeCubeTexture(UINT edge, D3DFORMAT format);
    ~FakeCubeTexture() override;
    DX9TEST_REFCOUNTED
    D3DRESOURCETYPE GetType() override { return D3DRTYPE_CUBETEXTURE; }
    DWORD GetLevelCount() override { return 1; }
    HRESULT GetLevelDesc(UINT Level, D3DSURFACE_DESC* pDesc) override;
    HRESULT GetCubeMapSurface(D3DCUBEMAP_FACES FaceType, UINT Level,
                              IDirect3DSurface9** ppCubeMapSurface) override;
    HRESULT LockRect(D3DCUBEMAP_FACES, UINT, D3DLOCKED_RECT*, const RECT*, DWORD) override
    {
        return D3DERR_INVALIDCALL;
    }
    HRESULT UnlockRect(D3DCUBEMAP_FACES, UINT) override { return D3DERR_INVALIDCALL; }

    FakeSurface* m_Faces[6] = {};
};

template <class Interface> class FakeBuffer final : public Interface, public FakeObject
{
public:
    FakeBuffer(UINT size, DWORD usage, D3DPOOL pool) : m_Bytes(size), m_Usage(usage), m_Pool(pool)
    {
    }
    DX9TEST_REFCOUNTED
    D3DRESOURCETYPE GetType() override
    {
        return std::is_same_v<Interface, IDirect3DIndexBuffer9> ? D3DRTYPE_INDEXBUFFER
                                                                : D3DRTYPE_VERTEXBUFFER;
    }
    HRESULT Lock(UINT offset, UINT, void** ppbData, DWORD flags) override
    {
        m_LockFlags.push_back(flags);
        if (m_FailLock)
        {
            return D3DERR_INVALIDCALL;
        }
        *ppbData = m_Bytes.data() + offset;
        return D3D_OK;
    }
    HRESULT Unlock() override
    {
        ++m_UnlockCount;
        return D3D_OK;
    }
    template <class Desc> HRESULT FillDesc(Desc* pDesc)
    {
        *pDesc = {};
        pDesc->Size = static_cast<UINT>(m_Bytes.size());
        pDesc->Usage = m_Usage;
        pDesc->Pool = m_Pool;
        return D3D_OK;
    }
    HRESULT GetDesc(D3DVERTEXBUFFER_DESC* pDesc) { return FillDesc(pDesc); }
    HRESULT GetDesc(D3DINDEXBUFFER_DESC* pDesc) { return FillDesc(pDesc); }

    std::vector<BYTE> m_Bytes;
    DWORD m_Usage;
    D3DPOOL m_Pool;
    std::vector<DWORD> m_LockFlags;
    int m_UnlockCount = 0;
    bool m_FailLock = false;
};
using FakeVertexBuffer = FakeBuffer<IDirect3DVertexBuffer9>;
using FakeIndexBuffer = FakeBuffer<IDirect3DIndexBuffer9>;

class FakeDeclaration final : public IDirect3DVertexDeclaration9, public FakeObject
{
public:
    explicit FakeDeclaration(const D3DVERTEXELEMENT9* pElements);
    DX9TEST_REFCOUNTED
    HRESULT GetDeclaration(D3DVERTEXELEMENT9* pElement, UINT* pNumElements) override;

    std::vector<D3DVERTEXELEMENT9> m_Elements; // end marker included
};

// Shaders keep the text they were created from; GetFunction hands back a blob in
// d3d9gl's layout (version token, text, end token).
template <class Interface, DWORD Version>
class FakeShader final : public Interface, public FakeObject
{
public:
    explicit FakeShader(const DWORD* pFunction) : m_Text(reinterpret_cast<const char*>(pFunction))
    {
    }
    DX9TEST_REFCOUNTED
    HRESULT GetFunction(void* pData, UINT* pSizeOfData) override;

    std::string m_Text;
};
using FakeVertexShader = FakeShader<IDirect3DVertexShader9, 0xFFFE0300>;
using FakePixelShader = FakeShader<IDirect3DPixelShader9, 0xFFFF0300>;

// Named constants with their register set and index; setters are logged on the device's
// call log as "Table.SetMatrix(name)" and so on.
class FakeConstantTable final : public ID3DXConstantTable, public FakeObject
{
public:
    explicit FakeConstantTable(CallLog* pLog) : m_pLog(pLog) {}
    DX9TEST_REFCOUNTED
    void AddConstant(const std::string& name, D3DXREGISTER_SET set, UINT index);
    HRESULT GetDesc(D3DXCONSTANTTABLE_DESC*) override { return E_NOTIMPL; }
    HRESULT GetConstantDesc(D3DXHANDLE hConstant, D3DXCONSTANT_DESC* pDesc, UINT* pCount) override;
    UINT GetSamplerIndex(D3DXHANDLE) override { return static_cast<UINT>(-1); }
    D3DXHANDLE GetConstant(D3DXHANDLE, UINT) override { return nullptr; }
    D3DXHANDLE GetConstantByName(D3DXHANDLE hConstant, LPCSTR pName) override;
    HRESULT SetBool(IDirect3DDevice9*, D3DXHANDLE h, BOOL) override { return Set("SetBool", h); }
    HRESULT SetBoolArray(IDirect3DDevice9*, D3DXHANDLE, const BOOL*, UINT) override
    {
        return E_NOTIMPL;
    }
    HRESULT SetInt(IDirect3DDevice9*, D3DXHANDLE h, INT) override { return Set("SetInt", h); }
    HRESULT SetIntArray(IDirect3DDevice9*, D3DXHANDLE, const INT*, UINT) override
    {
        return E_NOTIMPL;
    }
    HRESULT SetFloat(IDirect3DDevice9*, D3DXHANDLE h, FLOAT) override { return Set("SetFloat", h); }
    HRESULT SetFloatArray(IDirect3DDevice9*, D3DXHANDLE, const FLOAT*, UINT) override
    {
        return E_NOTIMPL;
    }
    HRESULT SetVector(IDirect3DDevice9*, D3DXHANDLE h, const D3DXVECTOR4*) override
    {
        return Set("SetVector", h);
    }
    HRESULT SetVectorArray(IDirect3DDevice9*, D3DXHANDLE, const D3DXVECTOR4*, UINT) override
    {
        return E_NOTIMPL;
    }
    HRESULT SetMatrix(IDirect3DDevice9*, D3DXHANDLE h, const D3DXMATRIX*) override
    {
        return Set("SetMatrix", h);
    }
    HRESULT SetMatrixTranspose(IDirect3DDevice9*, D3DXHANDLE, const D3DXMATRIX*) override
    {
        return E_NOTIMPL;
    }

    int m_LookupCount = 0;

private:
    HRESULT Set(const char* what, D3DXHANDLE h);
    CallLog* m_pLog;
    std::map<std::string, D3DXCONSTANT_DESC> m_Constants;
};

class FakeDevice final : public IDirect3DDevice9, public FakeObject
{
public:
    FakeDevice(CallLog* pLog, UINT width, UINT height);
    ~FakeDevice() override;
    DX9TEST_REFCOUNTED

    // Device and frame.
    HRESULT TestCooperativeLevel() override { return m_CooperativeLevel; }
    UINT GetAvailableTextureMem() override { return m_TextureMemory; }
    HRESULT GetDeviceCaps(D3DCAPS9* pCaps) override;
    HRESULT Reset(D3DPRESENT_PARAMETERS* pParams) override;
    HRESULT Present(const RECT*, const RECT*, HWND, const RGNDATA*) override;
    HRESULT GetBackBuffer(UINT, UINT, D3DBACKBUFFER_TYPE,
                          IDirect3DSurface9** ppBackBuffer) override;
    HRESULT BeginScene() override;
    HRESULT EndScene() override;
    HRESULT Clear(DWORD Count, const D3DRECT* pRects, DWORD Flags, D3DCOLOR Color, float Z,
                  DWORD Stencil) override;

    // Resource creation.
    HRESULT CreateTexture(UINT Width, UINT Height, UINT Levels, DWORD Usage, D3DFORMAT Format,
                          D3DPOOL Pool, IDirect3DTexture9** ppTexture, HANDLE*) override;
    HRESULT CreateVolumeTexture(UINT, UINT, UINT, UINT, DWORD, D3DFORMAT, D3DPOOL,
                                IDirect3DVolumeTexture9**, HANDLE*) override;
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
    HRESULT CreateOffscreenPlainSurface(UINT, UINT, D3DFORMAT, D3DPOOL, IDirect3DSurface9**,
                                        HANDLE*) override;
    HRESULT CreateVertexDeclaration(const D3DVERTEXELEMENT9* pVertexElements,
                                    IDirect3DVertexDeclaration9** ppDecl) override;
    HRESULT CreateVertexShader(const DWORD* pFunction, IDirect3DVertexShader9** ppShader) override;
    HRESULT CreatePixelShader(const DWORD* pFunction, IDirect3DPixelShader9** ppShader) override;

    // Render targets.
    HRESULT GetRenderTargetData(IDirect3DSurface9*, IDirect3DSurface9*) override
    {
        return E_NOTIMPL;
    }
    HRESULT SetRenderTarget(DWORD Index, IDirect3DSurface9* pRenderTarget) override;
    HRESULT GetRenderTarget(DWORD Index, IDirect3DSurface9** ppRenderTarget) override;
    HRESULT SetDepthStencilSurface(IDirect3DSurface9* pNewZStencil) override;
    HRESULT GetDepthStencilSurface(IDirect3DSurface9** ppZStencilSurface) override;

    // Fixed-function state.
    HRESULT SetViewport(const D3DVIEWPORT9* pViewport) override;
    HRESULT GetViewport(D3DVIEWPORT9* pViewport) override;
    HRESULT SetRenderState(D3DRENDERSTATETYPE State, DWORD Value) override;
    HRESULT GetRenderState(D3DRENDERSTATETYPE State, DWORD* pValue) override;
    HRESULT SetScissorRect(const RECT* pRect) override;
    HRESULT GetScissorRect(RECT* pRect) override;
    HRESULT SetTexture(DWORD Stage, IDirect3DBaseTexture9* pTexture) override;
    HRESULT GetTexture(DWORD, IDirect3DBaseTexture9**) override { return E_NOTIMPL; }
    HRESULT SetSamplerState(DWORD Sampler, D3DSAMPLERSTATETYPE Type, DWORD Value) override;
    HRESULT GetSamplerState(DWORD, D3DSAMPLERSTATETYPE, DWORD*) override { return E_NOTIMPL; }

    // Input assembly and draws.
    HRESULT SetStreamSource(UINT Stream, IDirect3DVertexBuffer9* pData, UINT Offset,
                            UINT Stride) override;
    HRESULT GetStreamSource(UINT, IDirect3DVertexBuffer9**, UINT*, UINT*) override
    {
        return E_NOTIMPL;
    }
    HRESULT SetStreamSourceFreq(UINT Stream, UINT Setting) override;
    HRESULT GetStreamSourceFreq(UINT, UINT*) override { return E_NOTIMPL; }
    HRESULT SetIndices(IDirect3DIndexBuffer9* pIndexData) override;
    HRESULT GetIndices(IDirect3DIndexBuffer9**) override { return E_NOTIMPL; }
    HRESULT SetVertexDeclaration(IDirect3DVertexDeclaration9* pDecl) override;
    HRESULT GetVertexDeclaration(IDirect3DVertexDeclaration9**) override { return E_NOTIMPL; }
    HRESULT DrawPrimitive(D3DPRIMITIVETYPE Type, UINT StartVertex, UINT Count) override;
    HRESULT DrawIndexedPrimitive(D3DPRIMITIVETYPE Type, INT BaseVertexIndex, UINT MinVertexIndex,
                                 UINT NumVertices, UINT StartIndex, UINT Count) override;
    HRESULT DrawPrimitiveUP(D3DPRIMITIVETYPE Type, UINT Count, const void*, UINT Stride) override;

    // Shaders and constants.
    HRESULT SetVertexShader(IDirect3DVertexShader9* pShader) override;
    HRESULT GetVertexShader(IDirect3DVertexShader9**) override { return E_NOTIMPL; }
    HRESULT SetPixelShader(IDirect3DPixelShader9* pShader) override;
    HRESULT GetPixelShader(IDirect3DPixelShader9**) override { return E_NOTIMPL; }
    HRESULT SetVertexShaderConstantF(UINT Start, const float* pData, UINT Count) override;
    HRESULT GetVertexShaderConstantF(UINT, float*, UINT) override { return E_NOTIMPL; }
    HRESULT SetVertexShaderConstantI(UINT Start, const int* pData, UINT Count) override;
    HRESULT SetVertexShaderConstantB(UINT Start, const BOOL* pData, UINT Count) override;
    HRESULT SetPixelShaderConstantF(UINT Start, const float* pData, UINT Count) override;
    HRESULT GetPixelShaderConstantF(UINT, float*, UINT) override { return E_NOTIMPL; }
    HRESULT SetPixelShaderConstantI(UINT Start, const int* pData, UINT Count) override;
    HRESULT SetPixelShaderConstantB(UINT Start, const BOOL* pData, UINT Count) override;

    CallLog* m_pLog;
    HRESULT m_CooperativeLevel = D3D_OK;
    HRESULT m_ResetResult = D3D_OK;
    UINT m_TextureMemory = 256u << 20;
    D3DCAPS9 m_Caps = {};
    int m_CapsReads = 0;
    bool m_FailCreate = false; // every Create* call fails
    std::map<DWORD, DWORD> m_RenderStates;
    D3DVIEWPORT9 m_Viewport = {};
    RECT m_Scissor = {};
    FakeSurface* m_pBackBuffer;
    FakeSurface* m_pDepthStencil;
    IDirect3DSurface9* m_pRenderTargets[4] = {};
    IDirect3DSurface9* m_pBoundDepthStencil = nullptr;
    std::vector<float> m_FloatConstants; // the values of the last float-constant call
    std::vector<BOOL> m_BoolConstants;   // the values of the last bool-constant call
    D3DPRESENT_PARAMETERS m_LastReset = {};
    // Created objects stay reachable for inspection (borrowed; they may be gone).
    FakeVertexBuffer* m_pLastVertexBuffer = nullptr;
    FakeIndexBuffer* m_pLastIndexBuffer = nullptr;
    FakeDeclaration* m_pLastDeclaration = nullptr;
};

// Adapters by description; CreateDevice returns a FakeDevice on the call log.
class FakeDirect3D final : public IDirect3D9, public FakeObject
{
public:
    explicit FakeDirect3D(CallLog* pLog) : m_pLog(pLog) {}
    DX9TEST_REFCOUNTED
    UINT GetAdapterCount() override { return static_cast<UINT>(m_Adapters.size()); }
    HRESULT GetAdapterIdentifier(UINT Adapter, DWORD, D3DADAPTER_IDENTIFIER9* pId) override;
    HRESULT CheckDeviceMultiSampleType(UINT Adapter, D3DDEVTYPE DeviceType, D3DFORMAT Format,
                                       BOOL Windowed, D3DMULTISAMPLE_TYPE Type, DWORD*) override;
    HMONITOR GetAdapterMonitor(UINT) override { return nullptr; }
    HRESULT CreateDevice(UINT Adapter, D3DDEVTYPE DeviceType, HWND hFocusWindow, DWORD Behaviour,
                         D3DPRESENT_PARAMETERS* pParams, IDirect3DDevice9** ppDevice) override;

    CallLog* m_pLog;
    std::vector<std::string> m_Adapters = {"llvmpipe"};
    bool m_RejectMultiSample = false;
    bool m_FailCreateDevice = false;
    D3DCAPS9 m_Caps = {};
    D3DPRESENT_PARAMETERS m_CreateParams = {};
    FakeDevice* m_pCreated = nullptr; // borrowed: the render device owns it
};

} // namespace Dx9Test
