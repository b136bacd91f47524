#include "fakerenderdevice.h"

#include "rendercore/source/common/inputlayout.h"
#include "rendercore/source/resource/indexbuffer.h"
#include "rendercore/source/resource/pixelshader.h"
#include "rendercore/source/resource/texture.h"
#include "rendercore/source/resource/vertexbuffer.h"
#include "rendercore/source/resource/vertexshader.h"

#include <algorithm>

namespace HalvexTest
{

int FakeRenderDevice::CallCount(const std::string& call) const
{
    return static_cast<int>(std::count(m_Calls.begin(), m_Calls.end(), call));
}

void* FakeRenderDevice::NewToken()
{
    m_NextToken += 0x10;
    return reinterpret_cast<void*>(m_NextToken);
}

void FakeRenderDevice::Initialize()
{
    ++m_InitializeCount;
    m_BoundTarget[0] = NewToken();
    m_BoundDepth = NewToken();
    SetDefaultRenderStates();
}

void FakeRenderDevice::Shutdown()
{
    ++m_ShutdownCount;
    RenderDevice::Shutdown();
}

void FakeRenderDevice::SetRenderState(RenderStateType state, uint32_t value)
{
    m_RenderStates.emplace_back(state, value);
}

// ---- render targets: a texture carries the saved surface as its user data ----

void FakeRenderDevice::GetDepthStencilSurface(Texture* pTexture)
{
    m_Calls.push_back("GetDepthStencilSurface");
    pTexture->SetUserData(m_BoundDepth);
}

void FakeRenderDevice::SetDepthStencilSurface(Texture* pTexture)
{
    m_Calls.push_back("SetDepthStencilSurface");
    m_BoundDepth = pTexture ? pTexture->GetUserData() : nullptr;
}

void FakeRenderDevice::ResolveDepthStencilSurface(Texture*)
{
    m_Calls.push_back("ResolveDepthStencilSurface");
}

void FakeRenderDevice::RestoreDepthStencilSurface(Texture* pTexture)
{
    m_Calls.push_back("RestoreDepthStencilSurface");
    m_BoundDepth = pTexture->GetUserData();
    pTexture->SetUserData(nullptr);
}

void FakeRenderDevice::GetRenderTarget(int index, Texture* pTexture)
{
    m_Calls.push_back("GetRenderTarget " + std::to_string(index));
    pTexture->SetUserData(m_BoundTarget[index]);
}

void FakeRenderDevice::SetRenderTarget(int index, Texture* pTexture)
{
    m_Calls.push_back("SetRenderTarget " + std::to_string(index));
    m_BoundTarget[index] = pTexture ? pTexture->GetUserData() : nullptr;
}

void FakeRenderDevice::ResolveRenderTarget(int index, Texture*)
{
    m_Calls.push_back("ResolveRenderTarget " + std::to_string(index));
}

void FakeRenderDevice::RestoreRenderTarget(int index, Texture* pTexture)
{
    m_Calls.push_back("RestoreRenderTarget " + std::to_string(index));
    m_BoundTarget[index] = pTexture->GetUserData();
    pTexture->SetUserData(nullptr);
}

// ---- shaders, with the lock rules of a back end ----

void FakeRenderDevice::SetVertexShader(VertexShader* pShader)
{
    if (!IsShaderLocked() && pShader)
    {
        m_Bound.m_pVertexShader = pShader;
    }
}

void FakeRenderDevice::ResetVertexShader()
{
    if (!IsShaderLocked())
    {
        m_Bound.m_pVertexShader = nullptr;
    }
}

void FakeRenderDevice::SetPixelShader(PixelShader* pShader)
{
    if (!IsShaderLocked() && pShader)
    {
        m_Bound.m_pPixelShader = pShader;
    }
}

void FakeRenderDevice::ResetPixelShader()
{
    if (!IsShaderLocked())
    {
        m_Bound.m_pPixelShader = nullptr;
    }
}

void FakeRenderDevice::SetShaders(const ShaderPair* pPair)
{
    SetShaders(pPair->m_pVertexShader, pPair->m_pPixelShader);
}

void FakeRenderDevice::SetShaders(VertexShader* pVertexShader, PixelShader* pPixelShader)
{
    SetVertexShader(pVertexShader);
    SetPixelShader(pPixelShader);
}

void FakeRenderDevice::ResetShaders()
{
    ResetVertexShader();
    ResetPixelShader();
}

// ---- by-name constants: only names in m_KnownNames resolve ----

void FakeRenderDevice::ResolveByName(const char* kind, Shader* pShader, const char* name,
                                     uintptr_t* pHandleCache, int32_t* pRegisterCache)
{
    m_ByNameCalls.push_back({kind, pShader, name, *pHandleCache});
    auto known = m_KnownNames.find(name);
    if (*pHandleCache == 0 && known != m_KnownNames.end())
    {
        *pHandleCache = known->second.first;
        if (pRegisterCache)
        {
            *pRegisterCache = known->second.second;
        }
    }
}

void FakeRenderDevice::SetTextureByName(Shader* pShader, const char* name, const TextureSampler*,
                                        uintptr_t* pHandleCache, int32_t* pRegisterCache)
{
    ResolveByName("Texture", pShader, name, pHandleCache, pRegisterCache);
}

void FakeRenderDevice::SetShaderConstantMatrixByName(Shader* pShader, const char* name,
                                                     const float*, uintptr_t* pHandleCache)
{
    ResolveByName("Matrix", pShader, name, pHandleCache, nullptr);
}

void FakeRenderDevice::SetShaderConstantVectorByName(Shader* pShader, const char* name,
                                                     const float*, uintptr_t* pHandleCache)
{
    ResolveByName("Vector", pShader, name, pHandleCache, nullptr);
}

void FakeRenderDevice::SetShaderConstantFloatByName(Shader* pShader, const char* name, float,
                                                    uintptr_t* pHandleCache)
{
    ResolveByName("Float", pShader, name, pHandleCache, nullptr);
}

void FakeRenderDevice::SetShaderConstantIntByName(Shader* pShader, const char* name, int,
                                                  uintptr_t* pHandleCache)
{
    ResolveByName("Int", pShader, name, pHandleCache, nullptr);
}

void FakeRenderDevice::SetShaderConstantBoolByName(Shader* pShader, const char* name, bool,
                                                   uintptr_t* pHandleCache)
{
    ResolveByName("Bool", pShader, name, pHandleCache, nullptr);
}

// ---- resource loader ----

bool FakeRenderDevice::LoadResource(Resource* pRes, const char* call)
{
    m_Calls.push_back(call);
    if (m_FailLoads)
    {
        return false;
    }
    pRes->SetUserData(NewToken());
    return true;
}

void FakeRenderDevice::UnloadResource(Resource* pRes, const char* call)
{
    m_Calls.push_back(call);
    pRes->SetUserData(nullptr);
}

bool FakeRenderDevice::LoadInputLayout(InputLayout* pInputLayout, const InputElementDesc_t*)
{
    m_Calls.push_back("LoadInputLayout");
    if (m_FailLoads)
    {
        return false;
    }
    pInputLayout->SetUserData(NewToken());
    return true;
}

void FakeRenderDevice::UnloadInputLayout(InputLayout* pInputLayout)
{
    m_Calls.push_back("UnloadInputLayout");
    pInputLayout->SetUserData(nullptr);
}

bool FakeRenderDevice::LoadVertexBuffer(VertexBuffer* pVertexBuf, const void*, int, int,
                                        TexturePool)
{
    return LoadResource(pVertexBuf, "LoadVertexBuffer");
}

void FakeRenderDevice::UnloadVertexBuffer(VertexBuffer* pVertexBuf)
{
    UnloadResource(pVertexBuf, "UnloadVertexBuffer");
}

bool FakeRenderDevice::LockVertexBuffer(VertexBuffer*, void** ppData, int, int, LockFlag)
{
    m_Calls.push_back("LockVertexBuffer");
    *ppData = m_FailLocks ? nullptr : m_LockMemory;
    return !m_FailLocks;
}

bool FakeRenderDevice::LoadIndexBuffer(IndexBuffer* pIndexBuf, const void*, int, int, TexturePool)
{
    return LoadResource(pIndexBuf, "LoadIndexBuffer");
}

void FakeRenderDevice::UnloadIndexBuffer(IndexBuffer* pIndexBuf)
{
    UnloadResource(pIndexBuf, "UnloadIndexBuffer");
}

bool FakeRenderDevice::LockIndexBuffer(IndexBuffer*, void** ppData, int, int, LockFlag)
{
    m_Calls.push_back("LockIndexBuffer");
    *ppData = m_FailLocks ? nullptr : m_LockMemory;
    return !m_FailLocks;
}

bool FakeRenderDevice::CreateTexture(Texture* pTexture, TextureType, int*, int*, int*,
                                     TextureFormat*, int* pMipLevels, TexturePool*,
                                     uint32_t* pFlags)
{
    *pFlags |= 6;
    if (m_ReportedMipLevels)
    {
        *pMipLevels = m_ReportedMipLevels;
    }
    return LoadResource(pTexture, "CreateTexture");
}

bool FakeRenderDevice::LoadTextureFromMemory(Texture* pTexture, TextureType, const void*, int,
                                             int* pWidth, int* pHeight, int* pDepth,
                                             TextureFormat* pFormat, int* pMipLevels,
                                             uint32_t* pFlags)
{
    // As if the file held a 64 x 32 DXT1 image with its full chain.
    *pWidth = 64;
    *pHeight = 32;
    *pDepth = 0;
    *pFormat = FMT_DXT1;
    *pMipLevels = 7;
    *pFlags |= 6;
    return LoadResource(pTexture, "LoadTextureFromMemory");
}

void FakeRenderDevice::UnloadTexture(Texture* pTexture)
{
    UnloadResource(pTexture, "UnloadTexture");
}

bool FakeRenderDevice::LockTexture(Texture* pTexture, int, void** ppData, int* pPitch, const float*,
                                   LockFlag)
{
    m_Calls.push_back("LockTexture");
    if (m_FailLocks || !m_LockedTextures.insert(pTexture).second)
    {
        return false;
    }
    *ppData = m_LockMemory;
    *pPitch = 16;
    return true;
}

void FakeRenderDevice::UnlockTexture(Texture* pTexture)
{
    m_Calls.push_back("UnlockTexture");
    m_LockedTextures.erase(pTexture);
}

bool FakeRenderDevice::LoadVertexShader(VertexShader* pShader, const void*, int, uint32_t)
{
    return LoadResource(pShader, "LoadVertexShader");
}

void FakeRenderDevice::UnloadVertexShader(VertexShader* pShader)
{
    UnloadResource(pShader, "UnloadVertexShader");
}

bool FakeRenderDevice::LoadPixelShader(PixelShader* pShader, const void*, int, uint32_t)
{
    return LoadResource(pShader, "LoadPixelShader");
}

void FakeRenderDevice::UnloadPixelShader(PixelShader* pShader)
{
    UnloadResource(pShader, "UnloadPixelShader");
}

bool FakeRenderDevice::CreateRenderTarget(Texture* pTexture, int, int, TextureFormat,
                                          TexturePool* pPool, uint32_t* pFlags, bool)
{
    *pPool = POOL_DEFAULT;
    *pFlags |= 6;
    return LoadResource(pTexture, "CreateRenderTarget");
}

} // namespace HalvexTest
