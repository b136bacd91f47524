#pragma once
// A RenderDevice that records what it is asked to do, so the rendering core and the
// application can be tested without a GPU. Buffers keep their contents in host memory;
// other resources get distinct non-null tokens as native objects; shader binding follows
// the lock rules of a real back end; render targets and depth surfaces travel as the
// textures' user data. Texture "files" decode when written by TextureFile; anything else
// fails to decode. Draws, constants and sampler settings are accepted and forgotten.

#include "rendercore/source/common/inputlayout.h"
#include "rendercore/source/renderdevice/renderdevice.h"
#include "rendercore/source/resource/indexbuffer.h"
#include "rendercore/source/resource/pixelshader.h"
#include "rendercore/source/resource/texture.h"
#include "rendercore/source/resource/vertexbuffer.h"
#include "rendercore/source/resource/vertexshader.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace HalvexTest
{

using namespace Halvex::RenderCore;

class FakeRenderDevice : public RenderDevice
{
public:
    struct ByNameCall
    {
        std::string m_Kind;
        Shader* m_pShader;
        std::string m_Name;
        uintptr_t m_HandleIn;
    };

    // Flags reported for every created or loaded texture.
    static constexpr uint32_t TEXTURE_FLAGS = 6;

    // The bytes of a texture file LoadTextureFromMemory decodes to this description.
    static std::string TextureFile(int width, int height, TextureFormat format = FMT_A8R8G8B8,
                                   int mipLevels = 1);

    // ---- what the fake recorded ----

    // The calls that set states, create, load, lock, bind or release, in order: "Initialize",
    // "State 2 0", "SetShaders", "LoadVertexBuffer", "LockTexture", "GetRenderTarget 0", ...
    std::vector<std::string> m_Calls;
    std::vector<ByNameCall> m_ByNameCalls;
    void* m_BoundTarget[RENDER_TARGET_MAX] = {};
    void* m_BoundDepth = nullptr;

    // ---- how the fake answers ----

    // Loads, creations and locks named here fail ("LoadVertexBuffer", "LockIndexBuffer", ...).
    std::set<std::string> m_Failing;
    // Names the by-name setters resolve, with their handle and (for samplers) register.
    std::map<std::string, std::pair<uintptr_t, int32_t>> m_KnownNames;
    // Reported by CreateTexture instead of the requested level count when not 0.
    int m_ReportedMipLevels = 0;
    // What GetDeviceCaps reports.
    DeviceCaps m_Caps;

    int CallCount(const std::string& call) const
    {
        return static_cast<int>(std::count(m_Calls.begin(), m_Calls.end(), call));
    }
    // A fresh stand-in for a native object.
    void* NewToken() { return reinterpret_cast<void*>(m_NextToken += 0x10); }
    // Host copy of a buffer's contents (empty for an unknown buffer).
    const std::vector<uint8_t>& BufferBytes(const void* pResource) const;

    void Initialize() override;
    void Shutdown() override
    {
        m_Calls.push_back("Shutdown");
        RenderDevice::Shutdown();
    }
    const char* GetName() const override { return "fake"; }
    void* GetNativeDevice() override { return this; }
    void GetDeviceCaps(DeviceCaps* pCaps) override { *pCaps = m_Caps; }
    int GetVideoMemorySize() override { return 0; }
    int GetShaderModel() override { return 3; }
    void GetDeviceSetting(DeviceSetting* pSetting) override;
    bool ResetDevice(const DeviceSetting*, void*, void*) override { return true; }
    void BeginScene() override {}
    void EndScene() override {}
    void BeginRenderTargets(const RenderTargetSet*) override {}
    void EndRenderTargets(bool) override {}
    void Present() override {}
    void Clear(uint32_t, uint32_t, float, int32_t) override {}

    void DrawIndexed(InputLayout*, VertexBuffer*, int, int, IndexBuffer*, int, int) override {}
    void DrawMesh(InputLayout*, const Mesh*) override {}
    void DrawMultiStream(InputLayout*, int, const int*, VertexBuffer* const*, int, int,
                         IndexBuffer*, int, int) override
    {
    }
    void DrawInstanced(InputLayout*, VertexBuffer*, int, int, IndexBuffer*, int, int, VertexBuffer*,
                       int, int, int) override
    {
    }
    void DrawMeshInstanced(InputLayout*, const Mesh*, VertexBuffer*) override {}
    bool DrawUser(InputLayout*, PrimitiveType, int, const void*, int, int) override { return true; }

    void GetRenderState(RenderStateType state, uint32_t* pValue) override
    {
        *pValue = m_RenderStates[state];
    }
    void SetRenderState(RenderStateType state, uint32_t value) override
    {
        m_RenderStates[state] = value;
        m_Calls.push_back("State " + std::to_string(state) + " " + std::to_string(value));
    }
    void GetNativeRenderState(RenderStateType state, uint32_t* pValue) override
    {
        *pValue = m_RenderStates[state];
    }
    void SetNativeRenderState(RenderStateType state, uint32_t value) override
    {
        m_RenderStates[state] = value;
    }
    Rect_t GetViewport() override { return m_Viewport; }
    void SetViewport(const float* p) override { m_Viewport = {p[0], p[1], p[2], p[3]}; }
    Rect_t GetScissorRect() override { return {}; }
    void SetScissorRect(const float*) override {}

    // A texture carries the saved surface as its user data.
    void GetDepthStencilSurface(Texture* pTexture) override
    {
        Save("GetDepthStencilSurface", pTexture, m_BoundDepth);
    }
    void SetDepthStencilSurface(Texture* pTexture) override
    {
        Bind("SetDepthStencilSurface", pTexture, &m_BoundDepth);
    }
    void ResolveDepthStencilSurface(Texture*) override
    {
        m_Calls.push_back("ResolveDepthStencilSurface");
    }
    void RestoreDepthStencilSurface(Texture* pTexture) override
    {
        Restore("RestoreDepthStencilSurface", pTexture, &m_BoundDepth);
    }
    void GetRenderTarget(int index, Texture* pTexture) override
    {
        Save("GetRenderTarget " + std::to_string(index), pTexture, m_BoundTarget[index]);
    }
    void SetRenderTarget(int index, Texture* pTexture) override
    {
        Bind("SetRenderTarget " + std::to_string(index), pTexture, &m_BoundTarget[index]);
    }
    void SetCubeRenderTarget(int index, Texture* pTexture, int face) override
    {
        Bind("SetCubeRenderTarget " + std::to_string(index) + " " + std::to_string(face), pTexture,
             &m_BoundTarget[index]);
    }
    void ResolveRenderTarget(int index, Texture*) override
    {
        m_Calls.push_back("ResolveRenderTarget " + std::to_string(index));
    }
    void RestoreRenderTarget(int index, Texture* pTexture) override
    {
        Restore("RestoreRenderTarget " + std::to_string(index), pTexture, &m_BoundTarget[index]);
    }

    // Binding is ignored while the shaders are locked, as on a real back end.
    VertexShader* GetVertexShader() override { return m_Bound.m_pVertexShader; }
    void SetVertexShader(VertexShader* pShader) override
    {
        Bind(&m_Bound.m_pVertexShader, pShader);
    }
    void ResetVertexShader() override { Unbind(&m_Bound.m_pVertexShader); }
    PixelShader* GetPixelShader() override { return m_Bound.m_pPixelShader; }
    void SetPixelShader(PixelShader* pShader) override { Bind(&m_Bound.m_pPixelShader, pShader); }
    void ResetPixelShader() override { Unbind(&m_Bound.m_pPixelShader); }
    void GetShaders(ShaderPair* pPair) override { *pPair = m_Bound; }
    void SetShaders(const ShaderPair* pPair) override
    {
        SetShaders(pPair->m_pVertexShader, pPair->m_pPixelShader);
    }
    void SetShaders(VertexShader* pVertexShader, PixelShader* pPixelShader) override
    {
        m_Calls.push_back("SetShaders");
        SetVertexShader(pVertexShader);
        SetPixelShader(pPixelShader);
    }
    void ResetShaders() override
    {
        m_Calls.push_back("ResetShaders");
        ResetVertexShader();
        ResetPixelShader();
    }

    // Only names in m_KnownNames resolve.
    void SetTextureByName(Shader* pShader, const char* name, const TextureSampler*,
                          uintptr_t* pHandle, int32_t* pRegister) override
    {
        ResolveByName("Texture", pShader, name, pHandle, pRegister);
    }
    void SetShaderConstantMatrixByName(Shader* pShader, const char* name, const float*,
                                       uintptr_t* pHandle) override
    {
        ResolveByName("Matrix", pShader, name, pHandle, nullptr);
    }
    void SetShaderConstantVectorByName(Shader* pShader, const char* name, const float*,
                                       uintptr_t* pHandle) override
    {
        ResolveByName("Vector", pShader, name, pHandle, nullptr);
    }
    void SetShaderConstantFloatByName(Shader* pShader, const char* name, float,
                                      uintptr_t* pHandle) override
    {
        ResolveByName("Float", pShader, name, pHandle, nullptr);
    }
    void SetShaderConstantIntByName(Shader* pShader, const char* name, int,
                                    uintptr_t* pHandle) override
    {
        ResolveByName("Int", pShader, name, pHandle, nullptr);
    }
    void SetShaderConstantBoolByName(Shader* pShader, const char* name, bool,
                                     uintptr_t* pHandle) override
    {
        ResolveByName("Bool", pShader, name, pHandle, nullptr);
    }
    void SetTexture(ShaderType, int, Texture*, const SamplerDesc*) override {}
    void SetShaderConstantMatrix(ShaderType, int, const float*) override {}
    void SetShaderConstantVector(ShaderType, int, const float*) override {}
    void SetShaderConstantFloatArray(ShaderType, int, const float*, int) override {}
    void SetShaderConstantIntArray(ShaderType, int, const int*, int) override {}
    void SetShaderConstantBoolArray(ShaderType, int, const bool*, int) override {}
    bool CheckDevice(void*, void*) override { return true; }
    void SaveBackBufferToFile(const std::string&, ImageFileFormat) override {}
    void GenerateMipmaps(Texture*) override { m_Calls.push_back("GenerateMipmaps"); }
    void FlushTexture(Texture*) override {}

    bool LoadInputLayout(InputLayout* pLayout, const InputElementDesc_t*) override
    {
        return LoadResource(pLayout, "LoadInputLayout");
    }
    void UnloadInputLayout(InputLayout* pLayout) override
    {
        UnloadResource(pLayout, "UnloadInputLayout");
    }
    bool LoadVertexBuffer(VertexBuffer* pBuffer, const void* pData, int count, int size,
                          TexturePool) override
    {
        return LoadBuffer(pBuffer, "LoadVertexBuffer", pData, count, size);
    }
    void UnloadVertexBuffer(VertexBuffer* pBuffer) override
    {
        UnloadResource(pBuffer, "UnloadVertexBuffer");
    }
    bool LockVertexBuffer(VertexBuffer* pBuffer, void** ppData, int offset, int size,
                          LockFlag) override
    {
        return LockBuffer(pBuffer, "LockVertexBuffer", ppData, offset, size);
    }
    void UnlockVertexBuffer(VertexBuffer*) override { m_Calls.push_back("UnlockVertexBuffer"); }
    bool LoadIndexBuffer(IndexBuffer* pBuffer, const void* pData, int count, int size,
                         TexturePool) override
    {
        return LoadBuffer(pBuffer, "LoadIndexBuffer", pData, count, size);
    }
    void UnloadIndexBuffer(IndexBuffer* pBuffer) override
    {
        UnloadResource(pBuffer, "UnloadIndexBuffer");
    }
    bool LockIndexBuffer(IndexBuffer* pBuffer, void** ppData, int offset, int size,
                         LockFlag) override
    {
        return LockBuffer(pBuffer, "LockIndexBuffer", ppData, offset, size);
    }
    void UnlockIndexBuffer(IndexBuffer*) override { m_Calls.push_back("UnlockIndexBuffer"); }
    bool CreateTexture(Texture* pTexture, TextureType, int*, int*, int*, TextureFormat*,
                       int* pMipLevels, TexturePool*, uint32_t* pFlags) override;
    bool LoadTextureFromMemory(Texture* pTexture, TextureType texType, const void* pData, int size,
                               int* pWidth, int* pHeight, int* pDepth, TextureFormat* pFormat,
                               int* pMipLevels, uint32_t* pFlags) override;
    void UnloadTexture(Texture* pTexture) override { UnloadResource(pTexture, "UnloadTexture"); }
    bool LockTexture(Texture* pTexture, int mipLevel, void** ppData, int* pPitch,
                     const float* pRect, LockFlag lockFlag) override;
    void UnlockTexture(Texture* pTexture) override
    {
        m_Calls.push_back("UnlockTexture");
        m_LockedTextures.erase(pTexture);
    }
    int GetTexelAddress(Texture*, int, int, int, int) override { return 0; }
    bool LoadVertexShader(VertexShader* pShader, const void*, int, uint32_t) override
    {
        return LoadResource(pShader, "LoadVertexShader");
    }
    void UnloadVertexShader(VertexShader* pShader) override
    {
        UnloadResource(pShader, "UnloadVertexShader");
    }
    bool LoadPixelShader(PixelShader* pShader, const void*, int, uint32_t) override
    {
        return LoadResource(pShader, "LoadPixelShader");
    }
    void UnloadPixelShader(PixelShader* pShader) override
    {
        UnloadResource(pShader, "UnloadPixelShader");
    }

    bool CopyTextureFromBackBuffer(Texture*) override { return false; }
    bool CopyTextureFromDepthStencilSurface(Texture*) override { return false; }
    bool CopyTexture(Texture*, Texture*) override { return false; }
    bool CopyTextureData(Texture*, Texture*) override { return false; }
    bool CreateDepthStencilSurface(Texture*, int, int, TextureFormat) override { return false; }
    bool CreateRenderTarget(Texture* pTexture, int, int, TextureFormat, TexturePool* pPool,
                            uint32_t* pFlags, bool) override
    {
        *pPool = POOL_DEFAULT;
        *pFlags |= TEXTURE_FLAGS;
        return LoadResource(pTexture, "CreateRenderTarget");
    }
    void SaveTextureToFile(const std::string&, Texture*, ImageFileFormat) override {}

private:
    // Records the call; false when it is meant to fail.
    bool Succeeds(const std::string& call)
    {
        m_Calls.push_back(call);
        return m_Failing.count(call) == 0;
    }
    // Resources and input layouts alike carry their native object as user data.
    template <typename Object> bool LoadResource(Object* pObject, const char* call)
    {
        const bool succeeds = Succeeds(call);
        pObject->SetUserData(succeeds ? NewToken() : pObject->GetUserData());
        return succeeds;
    }
    template <typename Object> void UnloadResource(Object* pObject, const char* call)
    {
        m_Calls.push_back(call);
        m_Memory.erase(pObject);
        pObject->SetUserData(nullptr);
    }
    bool LoadBuffer(Resource* pRes, const char* call, const void* pData, int count, int size);
    bool LockBuffer(const void* pRes, const char* call, void** ppData, int offset, int size);
    void ResolveByName(const char* kind, Shader* pShader, const char* name, uintptr_t* pHandle,
                       int32_t* pRegister);
    void Save(const std::string& call, Texture* pTexture, void* pSurface)
    {
        m_Calls.push_back(call);
        pTexture->SetUserData(pSurface);
    }
    void Bind(const std::string& call, Texture* pTexture, void** ppBound)
    {
        m_Calls.push_back(call);
        *ppBound = pTexture ? pTexture->GetUserData() : nullptr;
    }
    void Restore(const std::string& call, Texture* pTexture, void** ppBound)
    {
        Bind(call, pTexture, ppBound);
        pTexture->SetUserData(nullptr);
    }
    template <typename S> void Bind(S** ppBound, S* pShader)
    {
        *ppBound = !IsShaderLocked() && pShader ? pShader : *ppBound;
    }
    template <typename S> void Unbind(S** ppBound)
    {
        *ppBound = IsShaderLocked() ? *ppBound : nullptr;
    }

    ShaderPair m_Bound;
    std::map<int, uint32_t> m_RenderStates;
    Rect_t m_Viewport{};
    uintptr_t m_NextToken = 0x1000;
    std::set<Texture*> m_LockedTextures;
    // Host memory standing in for buffers and locked texture levels, keyed by the resource.
    std::map<const void*, std::vector<uint8_t>> m_Memory;
};

// Makes a fresh FakeRenderDevice current for its lifetime.
class FakeDeviceScope
{
public:
    FakeDeviceScope() { SetRenderDevice(&m_Device); }
    ~FakeDeviceScope() { ReleaseRenderDevice(); }
    FakeDeviceScope(const FakeDeviceScope&) = delete;
    FakeDeviceScope& operator=(const FakeDeviceScope&) = delete;
    FakeRenderDevice& operator*() { return m_Device; }
    FakeRenderDevice* operator->() { return &m_Device; }

private:
    FakeRenderDevice m_Device;
};

} // namespace HalvexTest
