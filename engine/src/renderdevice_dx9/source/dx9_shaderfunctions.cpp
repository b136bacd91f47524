// Shader binding under the shader lock, and shader constants by register and by name.

#include "renderdevice_dx9/source/dx9_renderdevice.h"

#include "rendercore/source/resource/pixelshader.h"
#include "rendercore/source/resource/vertexshader.h"
#include "renderdevice_dx9/source/dx9_diagnostics.h"

#include <algorithm>
#include <cstring>

namespace Halvex::RenderCore
{
namespace
{
IDirect3DVertexShader9* NativeOf(VertexShader* pShader)
{
    return pShader ? static_cast<IDirect3DVertexShader9*>(pShader->GetUserData()) : nullptr;
}

IDirect3DPixelShader9* NativeOf(PixelShader* pShader)
{
    return pShader ? static_cast<IDirect3DPixelShader9*>(pShader->GetUserData()) : nullptr;
}

// Registers hold four values; a count that is not a multiple of four still fills its
// last register, from a zero-padded copy so that nothing past the caller's array is read.
template <class Value, class Setter>
void SetRegisterArray(int reg, const Value* pValues, int count, Setter setter)
{
    if (!pValues || count <= 0)
    {
        return;
    }
    const int whole = count / 4;
    if (whole > 0)
    {
        setter(static_cast<UINT>(reg), pValues, static_cast<UINT>(whole));
    }
    const int rest = count % 4;
    if (rest > 0)
    {
        Value last[4] = {};
        std::copy(pValues + whole * 4, pValues + count, last);
        setter(static_cast<UINT>(reg + whole), last, 1u);
    }
}

ID3DXConstantTable* ConstantTableOf(Shader* pShader)
{
    return pShader ? static_cast<ID3DXConstantTable*>(pShader->GetConstantTable()) : nullptr;
}

// The handle of a named constant, looked up once and kept in the caller's cache.
D3DXHANDLE ResolveHandle(ID3DXConstantTable* pConstTable, const char* name, uintptr_t* pHandleCache)
{
    if (*pHandleCache == 0 && name)
    {
        *pHandleCache = reinterpret_cast<uintptr_t>(pConstTable->GetConstantByName(nullptr, name));
    }
    return reinterpret_cast<D3DXHANDLE>(*pHandleCache);
}
} // namespace

// ---- binding ----

VertexShader* Dx9RenderDevice::GetVertexShader()
{
    return m_pShaders ? m_pShaders->m_pVertexShader : nullptr;
}

PixelShader* Dx9RenderDevice::GetPixelShader()
{
    return m_pShaders ? m_pShaders->m_pPixelShader : nullptr;
}

void Dx9RenderDevice::GetShaders(ShaderPair* pPair)
{
    if (HX_ASSERT(pPair))
    {
        *pPair = m_pShaders ? *m_pShaders : ShaderPair();
    }
}

// The comparison is with the native shader the device has bound, so that a shader bound
// again after a device reset (which unbinds both stages) reaches the device.
void Dx9RenderDevice::SetVertexShader(VertexShader* pShader)
{
    if (IsShaderLocked() || !pShader || !m_pShaders || !m_pDevice)
    {
        return;
    }
    IDirect3DVertexShader9* pNative = NativeOf(pShader);
    if (!m_CacheEnabled || m_Bound.m_pVertexShader != pNative)
    {
        m_pDevice->SetVertexShader(pNative);
        m_Bound.m_pVertexShader = pNative;
    }
    m_pShaders->m_pVertexShader = pShader;
}

void Dx9RenderDevice::SetPixelShader(PixelShader* pShader)
{
    if (IsShaderLocked() || !pShader || !m_pShaders || !m_pDevice)
    {
        return;
    }
    IDirect3DPixelShader9* pNative = NativeOf(pShader);
    if (!m_CacheEnabled || m_Bound.m_pPixelShader != pNative)
    {
        m_pDevice->SetPixelShader(pNative);
        m_Bound.m_pPixelShader = pNative;
    }
    m_pShaders->m_pPixelShader = pShader;
}

void Dx9RenderDevice::ResetVertexShader()
{
    if (IsShaderLocked() || !m_pShaders || !m_pDevice)
    {
        return;
    }
    m_pShaders->m_pVertexShader = nullptr;
    if (!m_CacheEnabled || m_Bound.m_pVertexShader)
    {
        m_pDevice->SetVertexShader(nullptr);
        m_Bound.m_pVertexShader = nullptr;
    }
}

void Dx9RenderDevice::ResetPixelShader()
{
    if (IsShaderLocked() || !m_pShaders || !m_pDevice)
    {
        return;
    }
    m_pShaders->m_pPixelShader = nullptr;
    if (!m_CacheEnabled || m_Bound.m_pPixelShader)
    {
        m_pDevice->SetPixelShader(nullptr);
        m_Bound.m_pPixelShader = nullptr;
    }
}

void Dx9RenderDevice::SetShaders(const ShaderPair* pPair)
{
    if (HX_ASSERT(pPair))
    {
        SetShaders(pPair->m_pVertexShader, pPair->m_pPixelShader);
    }
}

void Dx9RenderDevice::SetShaders(VertexShader* pVertexShader, PixelShader* pPixelShader)
{
    SetVertexShader(pVertexShader);
    SetPixelShader(pPixelShader);
}

void Dx9RenderDevice::ResetShaders()
{
    ResetVertexShader();
    ResetPixelShader();
}

void Dx9RenderDevice::ForgetVertexShader(IDirect3DVertexShader9* pShader)
{
    if (m_pDevice && pShader && m_Bound.m_pVertexShader == pShader)
    {
        m_pDevice->SetVertexShader(nullptr);
        m_Bound.m_pVertexShader = nullptr;
    }
}

void Dx9RenderDevice::ForgetPixelShader(IDirect3DPixelShader9* pShader)
{
    if (m_pDevice && pShader && m_Bound.m_pPixelShader == pShader)
    {
        m_pDevice->SetPixelShader(nullptr);
        m_Bound.m_pPixelShader = nullptr;
    }
}

// ---- constants by register ----

void Dx9RenderDevice::SetShaderConstantMatrix(ShaderType shaderType, int reg, const float* pMatrix)
{
    SetShaderConstantFloatArray(shaderType, reg, pMatrix, 16);
}

void Dx9RenderDevice::SetShaderConstantVector(ShaderType shaderType, int reg, const float* pVector)
{
    SetShaderConstantFloatArray(shaderType, reg, pVector, 4);
}

void Dx9RenderDevice::SetShaderConstantFloatArray(ShaderType shaderType, int reg,
                                                  const float* pValues, int count)
{
    if (!m_pDevice)
    {
        return;
    }
    switch (shaderType)
    {
    case SHADER_VERTEX:
        SetRegisterArray(reg, pValues, count,
                         [this](UINT r, const float* p, UINT n)
                         { m_pDevice->SetVertexShaderConstantF(r, p, n); });
        break;
    case SHADER_PIXEL:
        SetRegisterArray(reg, pValues, count,
                         [this](UINT r, const float* p, UINT n)
                         { m_pDevice->SetPixelShaderConstantF(r, p, n); });
        break;
    default:
        HX_RAISE("");
        break;
    }
}

void Dx9RenderDevice::SetShaderConstantIntArray(ShaderType shaderType, int reg, const int* pValues,
                                                int count)
{
    if (!m_pDevice)
    {
        return;
    }
    switch (shaderType)
    {
    case SHADER_VERTEX:
        SetRegisterArray(reg, pValues, count,
                         [this](UINT r, const int* p, UINT n)
                         { m_pDevice->SetVertexShaderConstantI(r, p, n); });
        break;
    case SHADER_PIXEL:
        SetRegisterArray(reg, pValues, count,
                         [this](UINT r, const int* p, UINT n)
                         { m_pDevice->SetPixelShaderConstantI(r, p, n); });
        break;
    default:
        HX_RAISE("");
        break;
    }
}

// Bool values are grouped by four like the other arrays: register k of the ceil(count / 4)
// registers receives element 4k, so a count of up to four sends the first element only.
void Dx9RenderDevice::SetShaderConstantBoolArray(ShaderType shaderType, int reg,
                                                 const bool* pValues, int count)
{
    if (!m_pDevice || !pValues || count <= 0)
    {
        return;
    }
    constexpr int BOOL_REGISTER_MAX = 16;
    BOOL native[BOOL_REGISTER_MAX] = {};
    const int registers = std::min((count + 3) / 4, BOOL_REGISTER_MAX);
    for (int i = 0; i < registers; ++i)
    {
        native[i] = pValues[i * 4] ? TRUE : FALSE;
    }
    switch (shaderType)
    {
    case SHADER_VERTEX:
        m_pDevice->SetVertexShaderConstantB(static_cast<UINT>(reg), native,
                                            static_cast<UINT>(registers));
        break;
    case SHADER_PIXEL:
        m_pDevice->SetPixelShaderConstantB(static_cast<UINT>(reg), native,
                                           static_cast<UINT>(registers));
        break;
    default:
        HX_RAISE("");
        break;
    }
}

// ---- constants by name ----

namespace
{
// Runs `set` with the resolved handle; nothing when the shader has no constant table or
// the name is unknown.
template <class Set>
void SetByName(Shader* pShader, const char* name, uintptr_t* pHandleCache, Set set)
{
    ID3DXConstantTable* pConstTable = ConstantTableOf(pShader);
    if (!HX_ASSERT(pConstTable))
    {
        return;
    }
    uintptr_t localCache = 0;
    D3DXHANDLE handle = ResolveHandle(pConstTable, name, pHandleCache ? pHandleCache : &localCache);
    if (handle)
    {
        set(pConstTable, handle);
    }
}
} // namespace

void Dx9RenderDevice::SetShaderConstantMatrixByName(Shader* pShader, const char* name,
                                                    const float* pMatrix, uintptr_t* pHandleCache)
{
    if (!m_pDevice || !pMatrix)
    {
        return;
    }
    D3DXMATRIX matrix;
    std::memcpy(matrix.m, pMatrix, sizeof(matrix.m));
    SetByName(pShader, name, pHandleCache,
              [&](ID3DXConstantTable* pTable, D3DXHANDLE handle)
              { pTable->SetMatrix(m_pDevice, handle, &matrix); });
}

void Dx9RenderDevice::SetShaderConstantVectorByName(Shader* pShader, const char* name,
                                                    const float* pVector, uintptr_t* pHandleCache)
{
    if (!m_pDevice || !pVector)
    {
        return;
    }
    const D3DXVECTOR4 vector = {pVector[0], pVector[1], pVector[2], pVector[3]};
    SetByName(pShader, name, pHandleCache,
              [&](ID3DXConstantTable* pTable, D3DXHANDLE handle)
              { pTable->SetVector(m_pDevice, handle, &vector); });
}

void Dx9RenderDevice::SetShaderConstantFloatByName(Shader* pShader, const char* name, float value,
                                                   uintptr_t* pHandleCache)
{
    if (!m_pDevice)
    {
        return;
    }
    SetByName(pShader, name, pHandleCache,
              [&](ID3DXConstantTable* pTable, D3DXHANDLE handle)
              { pTable->SetFloat(m_pDevice, handle, value); });
}

void Dx9RenderDevice::SetShaderConstantIntByName(Shader* pShader, const char* name, int value,
                                                 uintptr_t* pHandleCache)
{
    if (!m_pDevice)
    {
        return;
    }
    SetByName(pShader, name, pHandleCache,
              [&](ID3DXConstantTable* pTable, D3DXHANDLE handle)
              { pTable->SetInt(m_pDevice, handle, value); });
}

void Dx9RenderDevice::SetShaderConstantBoolByName(Shader* pShader, const char* name, bool value,
                                                  uintptr_t* pHandleCache)
{
    if (!m_pDevice)
    {
        return;
    }
    SetByName(pShader, name, pHandleCache,
              [&](ID3DXConstantTable* pTable, D3DXHANDLE handle)
              { pTable->SetBool(m_pDevice, handle, value ? TRUE : FALSE); });
}

} // namespace Halvex::RenderCore
