#pragma once
// A RenderDevice that records what it is asked to do, so the rendering core and the
// application can be tested without a GPU. Buffers keep their contents in host memory;
// other resources get distinct non-null tokens as native objects; shader binding follows
// the lock rules of a real back end; render targets and depth surfaces travel as the
// textures' user data. Texture "files" decode when written by TextureFile; anything else
// fails to decode.

#include "rendercore/source/renderdevice/renderdevice.h"
#include "rendercore/source/resource/resource.h"

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

    int CallCount(const std::string& call) const;
    // A fresh stand-in for a native object.
    void* NewToken();
    // Host copy of a buffer's contents (empty for an unknown buffer).
    const std::vector<uint8_t>& BufferBytes(const void* pResource) const;

    void Initialize() override;
    void Shutdown() override;
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
        GetRenderState(state, pValue);
    }
    void SetNativeRenderState(RenderStateType state, uint32_t value) override
    {
        m_RenderStates[state] = value;
    }
    Rect_t GetViewport() override { return m_Viewport; }
    void SetViewport(const float* pRect) override
    {
        m_Viewport = {pRect[0], pRect[1], pRect[2], pRect[3]};
    }
    Rect_t GetScissorRect() override { return {}; }
    void SetScissorRect(const float*) override {}

    void GetDepthStencilSurface(Texture* pTexture) override;
    void SetDepthStencilSurface(Texture* pTexture) override;
    void ResolveDepthStencilSurface(Texture* pTexture) override;
    void RestoreDepthStencilSurface(Texture* pTexture) override;
    void GetRenderTarget(int index, Texture* pTexture) override;
    void SetRenderTarget(int index, Texture* pTexture) override;
    void SetCubeRenderTarget(int index, Texture* pTexture, int face) override;
    void ResolveRenderTarget(int index, Texture* pTexture) override;
    void RestoreRenderTarget(int index, Texture* pTexture) override;

    VertexShader* GetVertexShader() override { return m_Bound.m_pVertexShader; }
    void SetVertexShader(VertexShader* pShader) override;
    void ResetVertexShader() override;
    PixelShader* GetPixelShader() override { return m_Bound.m_pPixelShader; }
    void SetPixelShader(PixelShader* pShader) override;
    void ResetPixelShader() override;
    void GetShaders(ShaderPair* pPair) override { *pPair = m_Bound; }
    void SetShaders(const ShaderPair* pPair) override;
    void SetShaders(VertexShader* pVertexShader, PixelShader* pPixelShader) override;
    void ResetShaders() override;

    void SetTextureByName(Shader* pShader, const char* name, const TextureSampler*,
                          uintptr_t* pHandleCache, int32_t* pRegisterCache) override;
    void SetShaderConstantMatrixByName(Shader* pShader, const char* name, const float*,
                                       uintptr_t* pHandleCache) override;
    void SetShaderConstantVectorByName(Shader* pShader, const char* name, const float*,
                                       uintptr_t* pHandleCache) override;
    void SetShaderConstantFloatByName(Shader* pShader, const char* name, float,
                                      uintptr_t* pHandleCache) override;
    void SetShaderConstantIntByName(Shader* pShader, const char* name, int,
                                    uintptr_t* pHandleCache) override;
    void SetShaderConstantBoolByName(Shader* pShader, const char* name, bool,
                                     uintptr_t* pHandleCache) override;
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

    bool LoadInputLayout(InputLayout* pInputLayout, const InputElementDesc_t* pElems) override;
    void UnloadInputLayout(InputLayout* pInputLayout) override;
    bool LoadVertexBuffer(VertexBuffer* pVertexBuf, const void* pData, int vertexNum,
                          int vertexSize, TexturePool pool) override;
    void UnloadVertexBuffer(VertexBuffer* pVertexBuf) override;
    bool LockVertexBuffer(VertexBuffer* pVertexBuf, void** ppData, int offset, int size,
                          LockFlag lockFlag) override;
    void UnlockVertexBuffer(VertexBuffer*) override { m_Calls.push_back("UnlockVertexBuffer"); }
    bool LoadIndexBuffer(IndexBuffer* pIndexBuf, const void* pData, int indexNum, int indexSize,
                         TexturePool pool) override;
    void UnloadIndexBuffer(IndexBuffer* pIndexBuf) override;
    bool LockIndexBuffer(IndexBuffer* pIndexBuf, void** ppData, int offset, int size,
                         LockFlag lockFlag) override;
    void UnlockIndexBuffer(IndexBuffer*) override { m_Calls.push_back("UnlockIndexBuffer"); }
    bool CreateTexture(Texture* pTexture, TextureType, int* pWidth, int* pHeight, int* pDepth,
                       TextureFormat* pFormat, int* pMipLevels, TexturePool* pPool,
                       uint32_t* pFlags) override;
    bool LoadTextureFromMemory(Texture* pTexture, TextureType texType, const void* pData, int size,
                               int* pWidth, int* pHeight, int* pDepth, TextureFormat* pFormat,
                               int* pMipLevels, uint32_t* pFlags) override;
    void UnloadTexture(Texture* pTexture) override;
    bool LockTexture(Texture* pTexture, int mipLevel, void** ppData, int* pPitch,
                     const float* pRect, LockFlag lockFlag) override;
    void UnlockTexture(Texture* pTexture) override;
    int GetTexelAddress(Texture*, int, int, int, int) override { return 0; }
    bool LoadVertexShader(VertexShader* pShader, const void* pCode, int size,
                          uint32_t flags) override;
    void UnloadVertexShader(VertexShader* pShader) override;
    bool LoadPixelShader(PixelShader* pShader, const void* pCode, int size,
                         uint32_t flags) override;
    void UnloadPixelShader(PixelShader* pShader) override;

    bool CopyTextureFromBackBuffer(Texture*) override { return false; }
    bool CopyTextureFromDepthStencilSurface(Texture*) override { return false; }
    bool CopyTexture(Texture*, Texture*) override { return false; }
    bool CopyTextureData(Texture*, Texture*) override { return false; }
    bool CreateDepthStencilSurface(Texture*, int, int, TextureFormat) override { return false; }
    bool CreateRenderTarget(Texture* pTexture, int width, int height, TextureFormat format,
                            TexturePool* pPool, uint32_t* pFlags, bool cube) override;
    void SaveTextureToFile(const std::string&, Texture*, ImageFileFormat) override {}

private:
    // Records the call; false when it is meant to fail.
    bool Succeeds(const std::string& call);
    // Resources and input layouts alike carry their native object as user data.
    template <typename Object> bool LoadResource(Object* pObject, const char* call);
    template <typename Object> void UnloadResource(Object* pObject, const char* call);
    bool LoadBuffer(Resource* pRes, const char* call, const void* pData, std::size_t size);
    bool LockBuffer(const void* pRes, const char* call, void** ppData, int offset, int size);
    void ResolveByName(const char* kind, Shader* pShader, const char* name, uintptr_t* pHandleCache,
                       int32_t* pRegisterCache);

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
    FakeDeviceScope();
    ~FakeDeviceScope();
    FakeDeviceScope(const FakeDeviceScope&) = delete;
    FakeDeviceScope& operator=(const FakeDeviceScope&) = delete;
    FakeRenderDevice& operator*() { return m_Device; }
    FakeRenderDevice* operator->() { return &m_Device; }

private:
    FakeRenderDevice m_Device;
};

} // namespace HalvexTest
