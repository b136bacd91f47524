#pragma once
// A RenderDevice that counts what it is asked to do, so the rendering core and the
// application can be tested without a GPU. Buffers keep their contents in host memory;
// other resources get distinct non-null tokens as native objects; shader binding follows
// the lock rules of a real back end. Texture "files" decode when written by TextureFile;
// anything else fails to decode. Draws, states and constants are accepted and forgotten.

#include "rendercore/source/common/inputlayout.h"
#include "rendercore/source/renderdevice/renderdevice.h"
#include "rendercore/source/resource/indexbuffer.h"
#include "rendercore/source/resource/pixelshader.h"
#include "rendercore/source/resource/texture.h"
#include "rendercore/source/resource/vertexbuffer.h"
#include "rendercore/source/resource/vertexshader.h"

#include <gtest/gtest.h>

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

    // The bytes of a texture file LoadTextureFromMemory decodes to this description.
    static std::string TextureFile(int width, int height, TextureFormat format = FMT_A8R8G8B8,
                                   int mipLevels = 1);

    // How often each operation that creates, loads, locks, unlocks, releases or binds a
    // render target ran: "Initialize", "LoadVertexBuffer", "UnlockTexture", "SetRenderTarget".
    std::map<std::string, int> m_Counts;
    // The by-name setters' calls, with the handle each was given.
    std::vector<ByNameCall> m_ByNameCalls;

    // Operations named here fail ("LoadVertexBuffer", "LockIndexBuffer", ...).
    std::set<std::string> m_Failing;
    // Names the by-name setters resolve, with their handle.
    std::map<std::string, uintptr_t> m_KnownNames;
    // Reported by CreateTexture instead of the requested level count when not 0.
    int m_ReportedMipLevels = 0;
    // What GetDeviceCaps reports.
    DeviceCaps m_Caps;

    int CallCount(const std::string& call) const
    {
        const auto it = m_Counts.find(call);
        return it == m_Counts.end() ? 0 : it->second;
    }
    // Host copy of a buffer's contents (empty for an unknown buffer).
    const std::vector<uint8_t>& BufferBytes(const void* pResource) { return m_Memory[pResource]; }

    void Initialize() override
    {
        Count("Initialize");
        SetDefaultRenderStates();
    }
    void Shutdown() override
    {
        Count("Shutdown");
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

    void GetRenderState(RenderStateType s, uint32_t* p) override { *p = m_States[s]; }
    void SetRenderState(RenderStateType s, uint32_t v) override { m_States[s] = v; }
    void GetNativeRenderState(RenderStateType s, uint32_t* p) override { *p = m_States[s]; }
    void SetNativeRenderState(RenderStateType s, uint32_t v) override { m_States[s] = v; }
    Rect_t GetViewport() override { return m_Viewport; }
    void SetViewport(const float* p) override { m_Viewport = {p[0], p[1], p[2], p[3]}; }
    Rect_t GetScissorRect() override { return {}; }
    void SetScissorRect(const float*) override {}

    void GetDepthStencilSurface(Texture*) override { Count("GetDepthStencilSurface"); }
    void SetDepthStencilSurface(Texture*) override { Count("SetDepthStencilSurface"); }
    void ResolveDepthStencilSurface(Texture*) override { Count("ResolveDepthStencilSurface"); }
    void RestoreDepthStencilSurface(Texture*) override { Count("RestoreDepthStencilSurface"); }
    void GetRenderTarget(int, Texture*) override { Count("GetRenderTarget"); }
    void SetRenderTarget(int, Texture*) override { Count("SetRenderTarget"); }
    void SetCubeRenderTarget(int, Texture*, int) override { Count("SetCubeRenderTarget"); }
    void ResolveRenderTarget(int, Texture*) override { Count("ResolveRenderTarget"); }
    void RestoreRenderTarget(int, Texture*) override { Count("RestoreRenderTarget"); }

    // Binding is ignored while the shaders are locked, as on a real back end.
    VertexShader* GetVertexShader() override { return m_Bound.m_pVertexShader; }
    void SetVertexShader(VertexShader* p) override { Bind(&m_Bound.m_pVertexShader, p); }
    void ResetVertexShader() override { Bind<VertexShader>(&m_Bound.m_pVertexShader, nullptr); }
    PixelShader* GetPixelShader() override { return m_Bound.m_pPixelShader; }
    void SetPixelShader(PixelShader* p) override { Bind(&m_Bound.m_pPixelShader, p); }
    void ResetPixelShader() override { Bind<PixelShader>(&m_Bound.m_pPixelShader, nullptr); }
    void GetShaders(ShaderPair* pPair) override { *pPair = m_Bound; }
    void SetShaders(const ShaderPair* p) override
    {
        SetShaders(p->m_pVertexShader, p->m_pPixelShader);
    }
    void SetShaders(VertexShader* pVertexShader, PixelShader* pPixelShader) override
    {
        SetVertexShader(pVertexShader);
        SetPixelShader(pPixelShader);
    }
    void ResetShaders() override { SetShaders(nullptr, nullptr); }

    // Only names in m_KnownNames resolve.
    void SetTextureByName(Shader* s, const char* n, const TextureSampler*, uintptr_t* h,
                          int32_t*) override
    {
        ByName("Texture", s, n, h);
    }
    void SetShaderConstantMatrixByName(Shader* s, const char* n, const float*,
                                       uintptr_t* h) override
    {
        ByName("Matrix", s, n, h);
    }
    void SetShaderConstantVectorByName(Shader* s, const char* n, const float*,
                                       uintptr_t* h) override
    {
        ByName("Vector", s, n, h);
    }
    void SetShaderConstantFloatByName(Shader* s, const char* n, float, uintptr_t* h) override
    {
        ByName("Float", s, n, h);
    }
    void SetShaderConstantIntByName(Shader* s, const char* n, int, uintptr_t* h) override
    {
        ByName("Int", s, n, h);
    }
    void SetShaderConstantBoolByName(Shader* s, const char* n, bool, uintptr_t* h) override
    {
        ByName("Bool", s, n, h);
    }
    void SetTexture(ShaderType, int, Texture*, const SamplerDesc*) override {}
    void SetShaderConstantMatrix(ShaderType, int, const float*) override {}
    void SetShaderConstantVector(ShaderType, int, const float*) override {}
    void SetShaderConstantFloatArray(ShaderType, int, const float*, int) override {}
    void SetShaderConstantIntArray(ShaderType, int, const int*, int) override {}
    void SetShaderConstantBoolArray(ShaderType, int, const bool*, int) override {}
    bool CheckDevice(void*, void*) override { return true; }
    void SaveBackBufferToFile(const std::string&, ImageFileFormat) override {}
    void GenerateMipmaps(Texture*) override { Count("GenerateMipmaps"); }
    void FlushTexture(Texture*) override {}

    bool LoadInputLayout(InputLayout* pLayout, const InputElementDesc_t*) override
    {
        return Load(pLayout, "LoadInputLayout");
    }
    void UnloadInputLayout(InputLayout* p) override { Unload(p, "UnloadInputLayout"); }
    bool LoadVertexBuffer(VertexBuffer* p, const void* d, int n, int s, TexturePool) override
    {
        return LoadBuffer(p, "LoadVertexBuffer", d, n, s);
    }
    void UnloadVertexBuffer(VertexBuffer* p) override { Unload(p, "UnloadVertexBuffer"); }
    bool LockVertexBuffer(VertexBuffer* p, void** ppData, int offset, int s, LockFlag) override
    {
        return LockBuffer(p, "LockVertexBuffer", ppData, offset, s);
    }
    void UnlockVertexBuffer(VertexBuffer*) override {}
    bool LoadIndexBuffer(IndexBuffer* p, const void* d, int n, int s, TexturePool) override
    {
        return LoadBuffer(p, "LoadIndexBuffer", d, n, s);
    }
    void UnloadIndexBuffer(IndexBuffer* p) override { Unload(p, "UnloadIndexBuffer"); }
    bool LockIndexBuffer(IndexBuffer* p, void** ppData, int offset, int s, LockFlag) override
    {
        return LockBuffer(p, "LockIndexBuffer", ppData, offset, s);
    }
    void UnlockIndexBuffer(IndexBuffer*) override {}
    bool CreateTexture(Texture* pTexture, TextureType, int*, int*, int*, TextureFormat*,
                       int* pMipLevels, TexturePool*, uint32_t*) override
    {
        *pMipLevels = m_ReportedMipLevels ? m_ReportedMipLevels : *pMipLevels;
        return Load(pTexture, "CreateTexture");
    }
    bool LoadTextureFromMemory(Texture* pTexture, TextureType texType, const void* pData, int size,
                               int* pWidth, int* pHeight, int* pDepth, TextureFormat* pFormat,
                               int* pMipLevels, uint32_t* pFlags) override;
    void UnloadTexture(Texture* p) override { Unload(p, "UnloadTexture"); }
    bool LockTexture(Texture* pTexture, int mipLevel, void** ppData, int* pPitch,
                     const float* pRect, LockFlag lockFlag) override;
    void UnlockTexture(Texture*) override { Count("UnlockTexture"); }
    int GetTexelAddress(Texture*, int, int, int, int) override { return 0; }
    bool LoadVertexShader(VertexShader* pShader, const void*, int, uint32_t) override
    {
        return Load(pShader, "LoadVertexShader");
    }
    void UnloadVertexShader(VertexShader* p) override { Unload(p, "UnloadVertexShader"); }
    bool LoadPixelShader(PixelShader* pShader, const void*, int, uint32_t) override
    {
        return Load(pShader, "LoadPixelShader");
    }
    void UnloadPixelShader(PixelShader* p) override { Unload(p, "UnloadPixelShader"); }

    bool CopyTextureFromBackBuffer(Texture*) override { return false; }
    bool CopyTextureFromDepthStencilSurface(Texture*) override { return false; }
    bool CopyTexture(Texture*, Texture*) override { return false; }
    bool CopyTextureData(Texture*, Texture*) override { return false; }
    bool CreateDepthStencilSurface(Texture*, int, int, TextureFormat) override { return false; }
    bool CreateRenderTarget(Texture* pTexture, int, int, TextureFormat, TexturePool* pPool,
                            uint32_t*, bool) override
    {
        *pPool = POOL_DEFAULT;
        return Load(pTexture, "CreateRenderTarget");
    }
    void SaveTextureToFile(const std::string&, Texture*, ImageFileFormat) override {}

private:
    // Counts the call; false when it is meant to fail.
    bool Count(const std::string& call)
    {
        ++m_Counts[call];
        return m_Failing.count(call) == 0;
    }
    // Resources and input layouts alike carry a fresh token as their native object.
    template <typename Object> bool Load(Object* pObject, const char* call)
    {
        const bool succeeds = Count(call);
        pObject->SetUserData(succeeds ? Token() : pObject->GetUserData());
        return succeeds;
    }
    template <typename Object> void Unload(Object* pObject, const char* call)
    {
        Count(call);
        m_Memory.erase(pObject);
        pObject->SetUserData(nullptr);
    }
    bool LoadBuffer(Resource* pRes, const char* call, const void* pData, int count, int size);
    bool LockBuffer(const void* pRes, const char* call, void** ppData, int offset, int size);
    void ByName(const char* kind, Shader* pShader, const char* name, uintptr_t* pHandle);
    void* Token() { return reinterpret_cast<void*>(m_NextToken += 0x10); }
    template <typename S> void Bind(S** ppBound, S* pShader)
    {
        *ppBound = IsShaderLocked() ? *ppBound : pShader;
    }

    ShaderPair m_Bound;
    std::map<int, uint32_t> m_States;
    Rect_t m_Viewport{};
    uintptr_t m_NextToken = 0x1000;
    // Host memory standing in for buffers and locked texture levels, keyed by the resource.
    std::map<const void*, std::vector<uint8_t>> m_Memory;
};

// A fixture with a fake device current from before a derived fixture's members are made
// until after they are gone.
class FakeDeviceTest : public testing::Test
{
protected:
    FakeDeviceTest() { EXPECT_TRUE(SetRenderDevice(&m_Device)); }
    ~FakeDeviceTest() override { ReleaseRenderDevice(); }

    FakeRenderDevice m_Device;
};

} // namespace HalvexTest
