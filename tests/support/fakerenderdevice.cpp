#include "fakerenderdevice.h"

#include "base/source/system/logger.h"

#include "rendercore/source/common/inputlayout.h"
#include "rendercore/source/resource/indexbuffer.h"
#include "rendercore/source/resource/pixelshader.h"
#include "rendercore/source/resource/texture.h"
#include "rendercore/source/resource/vertexbuffer.h"
#include "rendercore/source/resource/vertexshader.h"

#include <algorithm>
#include <cstring>
#include <sstream>

namespace HalvexTest
{

std::string FakeRenderDevice::TextureFile(int width, int height, TextureFormat format,
                                          int mipLevels)
{
    return "TEX " + std::to_string(width) + " " + std::to_string(height) + " " +
           std::to_string(format) + " " + std::to_string(mipLevels);
}

int FakeRenderDevice::CallCount(const std::string& call) const
{
    return static_cast<int>(std::count(m_Calls.begin(), m_Calls.end(), call));
}

void* FakeRenderDevice::NewToken()
{
    m_NextToken += 0x10;
    return reinterpret_cast<void*>(m_NextToken);
}

const std::vector<uint8_t>& FakeRenderDevice::BufferBytes(const void* pResource) const
{
    static const std::vector<uint8_t> none;
    const auto it = m_Memory.find(pResource);
    return it == m_Memory.end() ? none : it->second;
}

bool FakeRenderDevice::Succeeds(const std::string& call)
{
    m_Calls.push_back(call);
    return m_Failing.count(call) == 0;
}

// ---- device and frame ----

void FakeRenderDevice::Initialize()
{
    m_Calls.push_back("Initialize");
    m_BoundTarget[0] = NewToken();
    m_BoundDepth = NewToken();
    SetDefaultRenderStates();
}

void FakeRenderDevice::Shutdown()
{
    m_Calls.push_back("Shutdown");
    RenderDevice::Shutdown();
}

void FakeRenderDevice::GetDeviceSetting(DeviceSetting* pSetting)
{
    *pSetting = DeviceSetting{};
    pSetting->m_Width = 1280;
    pSetting->m_Height = 720;
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

void FakeRenderDevice::SetCubeRenderTarget(int index, Texture* pTexture, int face)
{
    m_Calls.push_back("SetCubeRenderTarget " + std::to_string(index) + " " + std::to_string(face));
    m_BoundTarget[index] = pTexture->GetUserData();
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
    m_Calls.push_back("SetShaders");
    SetVertexShader(pVertexShader);
    SetPixelShader(pPixelShader);
}

void FakeRenderDevice::ResetShaders()
{
    m_Calls.push_back("ResetShaders");
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

template <typename Object> bool FakeRenderDevice::LoadResource(Object* pObject, const char* call)
{
    if (!Succeeds(call))
    {
        return false;
    }
    pObject->SetUserData(NewToken());
    return true;
}

template <typename Object> void FakeRenderDevice::UnloadResource(Object* pObject, const char* call)
{
    m_Calls.push_back(call);
    m_Memory.erase(pObject);
    pObject->SetUserData(nullptr);
}

bool FakeRenderDevice::LoadBuffer(Resource* pRes, const char* call, const void* pData,
                                  std::size_t size)
{
    if (!Succeeds(call))
    {
        return false;
    }
    std::vector<uint8_t>& memory = m_Memory[pRes];
    memory.assign(size, 0);
    if (pData)
    {
        std::memcpy(memory.data(), pData, size);
    }
    pRes->SetUserData(memory.data());
    return true;
}

bool FakeRenderDevice::LockBuffer(const void* pRes, const char* call, void** ppData, int offset,
                                  int size)
{
    std::vector<uint8_t>& memory = m_Memory[pRes];
    if (!Succeeds(call) || offset < 0 || size < 0 ||
        static_cast<std::size_t>(offset) + static_cast<std::size_t>(size) > memory.size())
    {
        *ppData = nullptr;
        return false;
    }
    *ppData = memory.data() + offset;
    return true;
}

bool FakeRenderDevice::LoadInputLayout(InputLayout* pInputLayout, const InputElementDesc_t*)
{
    return LoadResource(pInputLayout, "LoadInputLayout");
}

void FakeRenderDevice::UnloadInputLayout(InputLayout* pInputLayout)
{
    UnloadResource(pInputLayout, "UnloadInputLayout");
}

bool FakeRenderDevice::LoadVertexBuffer(VertexBuffer* pVertexBuf, const void* pData, int vertexNum,
                                        int vertexSize, TexturePool)
{
    return LoadBuffer(pVertexBuf, "LoadVertexBuffer", pData,
                      static_cast<std::size_t>(vertexNum) * static_cast<std::size_t>(vertexSize));
}

void FakeRenderDevice::UnloadVertexBuffer(VertexBuffer* pVertexBuf)
{
    UnloadResource(pVertexBuf, "UnloadVertexBuffer");
}

bool FakeRenderDevice::LockVertexBuffer(VertexBuffer* pVertexBuf, void** ppData, int offset,
                                        int size, LockFlag)
{
    return LockBuffer(pVertexBuf, "LockVertexBuffer", ppData, offset, size);
}

bool FakeRenderDevice::LoadIndexBuffer(IndexBuffer* pIndexBuf, const void* pData, int indexNum,
                                       int indexSize, TexturePool)
{
    return LoadBuffer(pIndexBuf, "LoadIndexBuffer", pData,
                      static_cast<std::size_t>(indexNum) * static_cast<std::size_t>(indexSize));
}

void FakeRenderDevice::UnloadIndexBuffer(IndexBuffer* pIndexBuf)
{
    UnloadResource(pIndexBuf, "UnloadIndexBuffer");
}

bool FakeRenderDevice::LockIndexBuffer(IndexBuffer* pIndexBuf, void** ppData, int offset, int size,
                                       LockFlag)
{
    return LockBuffer(pIndexBuf, "LockIndexBuffer", ppData, offset, size);
}

bool FakeRenderDevice::CreateTexture(Texture* pTexture, TextureType, int*, int*, int*,
                                     TextureFormat*, int* pMipLevels, TexturePool*,
                                     uint32_t* pFlags)
{
    *pFlags |= TEXTURE_FLAGS;
    if (m_ReportedMipLevels)
    {
        *pMipLevels = m_ReportedMipLevels;
    }
    return LoadResource(pTexture, "CreateTexture");
}

bool FakeRenderDevice::LoadTextureFromMemory(Texture* pTexture, TextureType, const void* pData,
                                             int size, int* pWidth, int* pHeight, int* pDepth,
                                             TextureFormat* pFormat, int* pMipLevels,
                                             uint32_t* pFlags)
{
    if (!Succeeds("LoadTextureFromMemory") || !pData || size <= 0)
    {
        return false;
    }
    std::istringstream file(std::string(static_cast<const char*>(pData), size));
    std::string magic;
    int width = 0, height = 0, format = 0, mipLevels = 0;
    if (!(file >> magic >> width >> height >> format >> mipLevels) || magic != "TEX")
    {
        Halvex::Base::Log("FAKE", Halvex::Base::LOG_LEVEL_ERROR, "the data is not a TEX file");
        return false;
    }
    *pWidth = width;
    *pHeight = height;
    *pDepth = 0; // a 2D file, like a DDS header, names no depth
    *pFormat = static_cast<TextureFormat>(format);
    *pMipLevels = mipLevels;
    *pFlags |= TEXTURE_FLAGS;
    pTexture->SetUserData(NewToken());
    return true;
}

void FakeRenderDevice::UnloadTexture(Texture* pTexture)
{
    UnloadResource(pTexture, "UnloadTexture");
}

bool FakeRenderDevice::LockTexture(Texture* pTexture, int, void** ppData, int* pPitch, const float*,
                                   LockFlag)
{
    if (!Succeeds("LockTexture") || !m_LockedTextures.insert(pTexture).second)
    {
        return false;
    }
    // Room for every level; rows as if four bytes a texel.
    std::vector<uint8_t>& memory = m_Memory[pTexture];
    memory.resize(std::max<std::size_t>(static_cast<std::size_t>(pTexture->GetSize()), 1));
    *ppData = memory.data();
    *pPitch = pTexture->GetWidth() * 4;
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
    *pFlags |= TEXTURE_FLAGS;
    return LoadResource(pTexture, "CreateRenderTarget");
}

FakeDeviceScope::FakeDeviceScope()
{
    SetRenderDevice(&m_Device);
}

FakeDeviceScope::~FakeDeviceScope()
{
    ReleaseRenderDevice();
}

} // namespace HalvexTest
