#pragma once
// A pass-through over the real d3d9gl interfaces that writes each device call the back end
// makes into a log ("SetRenderState(22,1)", objects as "obj" or "null"), and can answer a
// few calls itself: the conditions d3d9gl never reaches (a lost device, older shader
// versions, a PerfHUD adapter, a refused declaration) and the calls a picture cannot show
// (redundant binds, the flags a buffer is made with, an indexed draw's range).

#include "d3d9gl/d3d9.h"

#include <algorithm>
#include <optional>
#include <sstream>
#include <string>
#include <type_traits>
#include <vector>

namespace Dx9GLTest
{

class CallLog
{
public:
    template <class... Args> void Add(const char* name, const Args&... args)
    {
        std::ostringstream out;
        out << name << '(';
        const char* pSeparator = "";
        [[maybe_unused]] auto append = [&](const auto& arg)
        {
            out << pSeparator;
            if constexpr (std::is_pointer_v<std::decay_t<decltype(arg)>>)
                out << (arg ? "obj" : "null");
            else
                out << arg;
            pSeparator = ",";
        };
        (append(args), ...);
        out << ')';
        m_Calls.push_back(out.str());
    }
    // Calls whose text starts with prefix.
    size_t Count(const std::string& prefix) const
    {
        return std::count_if(m_Calls.begin(), m_Calls.end(),
                             [&](const std::string& call) { return call.rfind(prefix, 0) == 0; });
    }
    bool Has(const std::string& call) const
    {
        return std::find(m_Calls.begin(), m_Calls.end(), call) != m_Calls.end();
    }
    const std::vector<std::string>& Calls() const { return m_Calls; }
    void Clear() { m_Calls.clear(); }

private:
    std::vector<std::string> m_Calls;
};

// What the recording device answers itself, and what it saw; set before or after creation.
struct DeviceScript
{
    std::optional<HRESULT> m_CooperativeLevel; // answered instead of the real device's
    std::optional<HRESULT> m_ResetResult;      // a Reset that fails without reaching it
    std::optional<DWORD> m_VertexShaderVersion;
    std::optional<DWORD> m_PixelShaderVersion;
    bool m_RefuseDeclaration = false;
    D3DPRESENT_PARAMETERS m_LastReset = {};
    int m_CapsReads = 0;
};

// Reference counting is the real object's: the wrapper lives as long as the test.
class RecordingDevice final : public IDirect3DDevice9
{
public:
    RecordingDevice(IDirect3DDevice9* pReal, CallLog* pLog, DeviceScript* pScript)
        : m_p(pReal), m_Log(*pLog), m_Script(*pScript)
    {
    }

    // clang-format off
    ULONG AddRef() override { return m_p->AddRef(); }
    ULONG Release() override { return m_p->Release(); }
    HRESULT TestCooperativeLevel() override { return m_Script.m_CooperativeLevel ? *m_Script.m_CooperativeLevel : m_p->TestCooperativeLevel(); }
    UINT GetAvailableTextureMem() override { return m_p->GetAvailableTextureMem(); }
    HRESULT GetDeviceCaps(D3DCAPS9* pCaps) override
    {
        ++m_Script.m_CapsReads;
        const HRESULT result = m_p->GetDeviceCaps(pCaps);
        pCaps->VertexShaderVersion = m_Script.m_VertexShaderVersion.value_or(pCaps->VertexShaderVersion);
        pCaps->PixelShaderVersion = m_Script.m_PixelShaderVersion.value_or(pCaps->PixelShaderVersion);
        return result;
    }
    HRESULT GetDirect3D(IDirect3D9** pp) override { return m_p->GetDirect3D(pp); }
    HRESULT Reset(D3DPRESENT_PARAMETERS* pParams) override
    {
        m_Log.Add("Reset");
        m_Script.m_LastReset = *pParams;
        return m_Script.m_ResetResult ? *m_Script.m_ResetResult : m_p->Reset(pParams);
    }
    HRESULT Present(const RECT* a, const RECT* b, HWND c, const RGNDATA* d) override { return m_p->Present(a, b, c, d); }
    HRESULT GetBackBuffer(UINT a, UINT b, D3DBACKBUFFER_TYPE c, IDirect3DSurface9** pp) override { return m_p->GetBackBuffer(a, b, c, pp); }
    HRESULT BeginScene() override { return m_p->BeginScene(); }
    HRESULT EndScene() override { return m_p->EndScene(); }
    HRESULT Clear(DWORD n, const D3DRECT* r, DWORD flags, D3DCOLOR c, float z, DWORD s) override { m_Log.Add("Clear", n, flags); return m_p->Clear(n, r, flags, c, z, s); }
    HRESULT CreateTexture(UINT w, UINT h, UINT l, DWORD u, D3DFORMAT f, D3DPOOL p, IDirect3DTexture9** pp, HANDLE* s) override { m_Log.Add("CreateTexture", w, h, l, u, f, p); return m_p->CreateTexture(w, h, l, u, f, p, pp, s); }
    HRESULT CreateVolumeTexture(UINT w, UINT h, UINT d, UINT l, DWORD u, D3DFORMAT f, D3DPOOL p, IDirect3DVolumeTexture9** pp, HANDLE* s) override { return m_p->CreateVolumeTexture(w, h, d, l, u, f, p, pp, s); }
    HRESULT CreateCubeTexture(UINT e, UINT l, DWORD u, D3DFORMAT f, D3DPOOL p, IDirect3DCubeTexture9** pp, HANDLE* s) override { return m_p->CreateCubeTexture(e, l, u, f, p, pp, s); }
    HRESULT CreateVertexBuffer(UINT n, DWORD u, DWORD fvf, D3DPOOL p, IDirect3DVertexBuffer9** pp, HANDLE* s) override { m_Log.Add("CreateVertexBuffer", n, u, p); return m_p->CreateVertexBuffer(n, u, fvf, p, pp, s); }
    HRESULT CreateIndexBuffer(UINT n, DWORD u, D3DFORMAT f, D3DPOOL p, IDirect3DIndexBuffer9** pp, HANDLE* s) override { m_Log.Add("CreateIndexBuffer", n, u, f, p); return m_p->CreateIndexBuffer(n, u, f, p, pp, s); }
    HRESULT CreateDepthStencilSurface(UINT w, UINT h, D3DFORMAT f, D3DMULTISAMPLE_TYPE m, DWORD q, BOOL d, IDirect3DSurface9** pp, HANDLE* s) override { return m_p->CreateDepthStencilSurface(w, h, f, m, q, d, pp, s); }
    HRESULT CreateOffscreenPlainSurface(UINT w, UINT h, D3DFORMAT f, D3DPOOL p, IDirect3DSurface9** pp, HANDLE* s) override { return m_p->CreateOffscreenPlainSurface(w, h, f, p, pp, s); }
    HRESULT CreateVertexDeclaration(const D3DVERTEXELEMENT9* e, IDirect3DVertexDeclaration9** pp) override { return m_Script.m_RefuseDeclaration ? D3DERR_OUTOFVIDEOMEMORY : m_p->CreateVertexDeclaration(e, pp); }
    HRESULT CreateVertexShader(const DWORD* f, IDirect3DVertexShader9** pp) override { return m_p->CreateVertexShader(f, pp); }
    HRESULT CreatePixelShader(const DWORD* f, IDirect3DPixelShader9** pp) override { return m_p->CreatePixelShader(f, pp); }
    HRESULT GetRenderTargetData(IDirect3DSurface9* a, IDirect3DSurface9* b) override { return m_p->GetRenderTargetData(a, b); }
    HRESULT SetRenderTarget(DWORD i, IDirect3DSurface9* p) override { m_Log.Add("SetRenderTarget", i, p); return m_p->SetRenderTarget(i, p); }
    HRESULT GetRenderTarget(DWORD i, IDirect3DSurface9** pp) override { return m_p->GetRenderTarget(i, pp); }
    HRESULT SetDepthStencilSurface(IDirect3DSurface9* p) override { m_Log.Add("SetDepthStencilSurface", p); return m_p->SetDepthStencilSurface(p); }
    HRESULT GetDepthStencilSurface(IDirect3DSurface9** pp) override { return m_p->GetDepthStencilSurface(pp); }
    HRESULT SetViewport(const D3DVIEWPORT9* v) override { return m_p->SetViewport(v); }
    HRESULT GetViewport(D3DVIEWPORT9* v) override { return m_p->GetViewport(v); }
    HRESULT SetRenderState(D3DRENDERSTATETYPE s, DWORD v) override { m_Log.Add("SetRenderState", s, v); return m_p->SetRenderState(s, v); }
    HRESULT GetRenderState(D3DRENDERSTATETYPE s, DWORD* v) override { return m_p->GetRenderState(s, v); }
    HRESULT SetScissorRect(const RECT* r) override { return m_p->SetScissorRect(r); }
    HRESULT GetScissorRect(RECT* r) override { return m_p->GetScissorRect(r); }
    HRESULT SetTexture(DWORD i, IDirect3DBaseTexture9* p) override { m_Log.Add("SetTexture", i, p); return m_p->SetTexture(i, p); }
    HRESULT GetTexture(DWORD i, IDirect3DBaseTexture9** pp) override { return m_p->GetTexture(i, pp); }
    HRESULT SetSamplerState(DWORD i, D3DSAMPLERSTATETYPE t, DWORD v) override { m_Log.Add("SetSamplerState", i, t, v); return m_p->SetSamplerState(i, t, v); }
    HRESULT GetSamplerState(DWORD i, D3DSAMPLERSTATETYPE t, DWORD* v) override { return m_p->GetSamplerState(i, t, v); }
    HRESULT SetStreamSource(UINT i, IDirect3DVertexBuffer9* p, UINT o, UINT s) override { m_Log.Add("SetStreamSource", i, p, o, s); return m_p->SetStreamSource(i, p, o, s); }
    HRESULT GetStreamSource(UINT i, IDirect3DVertexBuffer9** pp, UINT* o, UINT* s) override { return m_p->GetStreamSource(i, pp, o, s); }
    HRESULT SetStreamSourceFreq(UINT i, UINT f) override { m_Log.Add("SetStreamSourceFreq", i, f); return m_p->SetStreamSourceFreq(i, f); }
    HRESULT GetStreamSourceFreq(UINT i, UINT* f) override { return m_p->GetStreamSourceFreq(i, f); }
    HRESULT SetIndices(IDirect3DIndexBuffer9* p) override { m_Log.Add("SetIndices", p); return m_p->SetIndices(p); }
    HRESULT GetIndices(IDirect3DIndexBuffer9** pp) override { return m_p->GetIndices(pp); }
    HRESULT SetVertexDeclaration(IDirect3DVertexDeclaration9* p) override { m_Log.Add("SetVertexDeclaration", p); return m_p->SetVertexDeclaration(p); }
    HRESULT GetVertexDeclaration(IDirect3DVertexDeclaration9** pp) override { return m_p->GetVertexDeclaration(pp); }
    HRESULT DrawPrimitive(D3DPRIMITIVETYPE t, UINT s, UINT n) override { m_Log.Add("DrawPrimitive", t, s, n); return m_p->DrawPrimitive(t, s, n); }
    HRESULT DrawIndexedPrimitive(D3DPRIMITIVETYPE t, INT b, UINT m, UINT v, UINT s, UINT n) override { m_Log.Add("DrawIndexedPrimitive", t, b, m, v, s, n); return m_p->DrawIndexedPrimitive(t, b, m, v, s, n); }
    HRESULT DrawPrimitiveUP(D3DPRIMITIVETYPE t, UINT n, const void* p, UINT s) override { m_Log.Add("DrawPrimitiveUP", t, n); return m_p->DrawPrimitiveUP(t, n, p, s); }
    HRESULT SetVertexShader(IDirect3DVertexShader9* p) override { m_Log.Add("SetVertexShader", p); return m_p->SetVertexShader(p); }
    HRESULT GetVertexShader(IDirect3DVertexShader9** pp) override { return m_p->GetVertexShader(pp); }
    HRESULT SetPixelShader(IDirect3DPixelShader9* p) override { m_Log.Add("SetPixelShader", p); return m_p->SetPixelShader(p); }
    HRESULT GetPixelShader(IDirect3DPixelShader9** pp) override { return m_p->GetPixelShader(pp); }
    HRESULT SetVertexShaderConstantF(UINT r, const float* d, UINT n) override { return m_p->SetVertexShaderConstantF(r, d, n); }
    HRESULT GetVertexShaderConstantF(UINT r, float* d, UINT n) override { return m_p->GetVertexShaderConstantF(r, d, n); }
    HRESULT SetVertexShaderConstantI(UINT r, const int* d, UINT n) override { return m_p->SetVertexShaderConstantI(r, d, n); }
    HRESULT SetVertexShaderConstantB(UINT r, const BOOL* d, UINT n) override { return m_p->SetVertexShaderConstantB(r, d, n); }
    HRESULT SetPixelShaderConstantF(UINT r, const float* d, UINT n) override { return m_p->SetPixelShaderConstantF(r, d, n); }
    HRESULT GetPixelShaderConstantF(UINT r, float* d, UINT n) override { return m_p->GetPixelShaderConstantF(r, d, n); }
    HRESULT SetPixelShaderConstantI(UINT r, const int* d, UINT n) override { return m_p->SetPixelShaderConstantI(r, d, n); }
    HRESULT SetPixelShaderConstantB(UINT r, const BOOL* d, UINT n) override { return m_p->SetPixelShaderConstantB(r, d, n); }
    // clang-format on

private:
    IDirect3DDevice9* m_p;
    CallLog& m_Log;
    DeviceScript& m_Script;
};

// Hands out a RecordingDevice over the real device, and can name extra adapters. It keeps
// the reference it is given; each owner it is handed to takes one of its own (AddRef).
class RecordingDirect3D final : public IDirect3D9
{
public:
    RecordingDirect3D(IDirect3D9* pReal, CallLog* pLog) : m_p(pReal), m_pLog(pLog) {}
    ~RecordingDirect3D()
    {
        delete m_pDevice;
        m_p->Release();
    }

    std::vector<std::string> m_Adapters; // descriptions; empty: the real adapter alone
    DeviceScript m_Script;

    // clang-format off
    ULONG AddRef() override { return m_p->AddRef(); }
    ULONG Release() override { return m_p->Release(); }
    UINT GetAdapterCount() override { return m_Adapters.empty() ? m_p->GetAdapterCount() : static_cast<UINT>(m_Adapters.size()); }
    HRESULT GetAdapterIdentifier(UINT a, DWORD f, D3DADAPTER_IDENTIFIER9* pId) override
    {
        const HRESULT result = m_p->GetAdapterIdentifier(0, f, pId);
        if (a < m_Adapters.size())
            pId->Description[m_Adapters[a].copy(pId->Description, sizeof(pId->Description) - 1)] = 0;
        return result;
    }
    HRESULT CheckDeviceMultiSampleType(UINT, D3DDEVTYPE t, D3DFORMAT f, BOOL w, D3DMULTISAMPLE_TYPE m, DWORD* q) override { return m_p->CheckDeviceMultiSampleType(0, t, f, w, m, q); }
    HMONITOR GetAdapterMonitor(UINT) override { return m_p->GetAdapterMonitor(0); }
    HRESULT CheckDeviceFormat(UINT, D3DDEVTYPE t, D3DFORMAT a, DWORD u, D3DRESOURCETYPE r, D3DFORMAT f) override { return m_p->CheckDeviceFormat(0, t, a, u, r, f); }
    // clang-format on
    HRESULT CreateDevice(UINT a, D3DDEVTYPE t, HWND w, DWORD b, D3DPRESENT_PARAMETERS* pParams,
                         IDirect3DDevice9** pp) override
    {
        m_pLog->Add("CreateDevice", a, t);
        IDirect3DDevice9* pReal = nullptr;
        const HRESULT result = m_p->CreateDevice(0, D3DDEVTYPE_HAL, w, b, pParams, &pReal);
        delete m_pDevice; // its device went with the last render device
        m_pDevice = pReal ? new RecordingDevice(pReal, m_pLog, &m_Script) : nullptr;
        *pp = m_pDevice;
        return result;
    }

private:
    IDirect3D9* m_p;
    CallLog* m_pLog;
    RecordingDevice* m_pDevice = nullptr;
};

} // namespace Dx9GLTest
