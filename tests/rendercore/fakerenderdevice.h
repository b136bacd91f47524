#pragma once
// A RenderDevice that records what the rendering core asks of it. Resource loads hand
// out distinct non-null tokens as native objects; shader binding follows the lock rules
// a real back end applies.

#include "rendercore/source/renderdevice/renderdevice.h"
#include "rendercore/source/resource/resource.h"

#include <map>
#include <set>
#include <string>
#include <utility>
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

    // ---- what the fake recorded ----
    int m_InitializeCount = 0;
    int m_ShutdownCount = 0;
    std::vector<std::pair<RenderStateType, uint32_t>> m_RenderStates;
    std::vector<std::string> m_Calls; // "Name arg", in call order
    std::vector<ByNameCall> m_ByNameCalls;
    ShaderPair m_Bound;
    void* m_BoundTarget[RENDER_TARGET_MAX] = {};
    void* m_BoundDepth = nullptr;

    // ---- how the fake answers ----
    bool m_FailLoads = false;
    bool m_FailLocks = false;
    // Names the by-name setters resolve, with their handle and (for samplers) register.
    std::map<std::string, std::pair<uintptr_t, int32_t>> m_KnownNames;
    // Reported by CreateTexture instead of the requested level count when not 0.
    int m_ReportedMipLevels = 0;

    int CallCount(const std::string& call) const;
    void* NewToken();

    void Initialize() override;
    void Shutdown() override;
    const char* GetName() const override { return "fake"; }
    void* GetNativeDevice() override { return nullptr; }
    void GetDeviceCaps(DeviceCaps*) override {}
    int GetVideoMemorySize() override { return 0; }
    int GetShaderModel() override { return 3; }
    void GetDeviceSetting(DeviceSetting*) override {}
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
    void GetRenderState(RenderStateType, uint32_t* pValue) override { *pValue = 0; }
    void SetRenderState(RenderStateType state, uint32_t value) override;
    void GetNativeRenderState(RenderStateType, uint32_t* pValue) override { *pValue = 0; }
    void SetNativeRenderState(RenderStateType, uint32_t) override {}
    Rect_t GetViewport() override { return {}; }
    void SetViewport(const float*) override {}
    Rect_t GetScissorRect() override { return {}; }
    void SetScissorRect(const float*) override {}

    void GetDepthStencilSurface(Texture* pTexture) override;
    void SetDepthStencilSurface(Texture* pTexture) override;
    void ResolveDepthStencilSurface(Texture* pTexture) override;
    void RestoreDepthStencilSurface(Texture* pTexture) override;
    void GetRenderTarget(int index, Texture* pTexture) override;
    void SetRenderTarget(int index, Texture* pTexture) override;
    void SetCubeRenderTarget(int, Texture*, int) override {}
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
    bool LoadVertexBuffer(VertexBuffer* pVertexBuf, const void*, int, int, TexturePool) override;
    void UnloadVertexBuffer(VertexBuffer* pVertexBuf) override;
    bool LockVertexBuffer(VertexBuffer*, void** ppData, int, int, LockFlag) override;
    void UnlockVertexBuffer(VertexBuffer*) override { m_Calls.push_back("UnlockVertexBuffer"); }
    bool LoadIndexBuffer(IndexBuffer* pIndexBuf, const void*, int, int, TexturePool) override;
    void UnloadIndexBuffer(IndexBuffer* pIndexBuf) override;
    bool LockIndexBuffer(IndexBuffer*, void** ppData, int, int, LockFlag) override;
    void UnlockIndexBuffer(IndexBuffer*) override { m_Calls.push_back("UnlockIndexBuffer"); }
    bool CreateTexture(Texture* pTexture, TextureType, int* pWidth, int* pHeight, int* pDepth,
                       TextureFormat* pFormat, int* pMipLevels, TexturePool* pPool,
                       uint32_t* pFlags) override;
    bool LoadTextureFromMemory(Texture* pTexture, TextureType, const void*, int, int* pWidth,
                               int* pHeight, int* pDepth, TextureFormat* pFormat, int* pMipLevels,
                               uint32_t* pFlags) override;
    void UnloadTexture(Texture* pTexture) override;
    bool LockTexture(Texture* pTexture, int, void** ppData, int* pPitch, const float*,
                     LockFlag) override;
    void UnlockTexture(Texture* pTexture) override;
    int GetTexelAddress(Texture*, int, int, int, int) override { return 0; }
    bool LoadVertexShader(VertexShader* pShader, const void*, int, uint32_t) override;
    void UnloadVertexShader(VertexShader* pShader) override;
    bool LoadPixelShader(PixelShader* pShader, const void*, int, uint32_t) override;
    void UnloadPixelShader(PixelShader* pShader) override;

    bool CopyTextureFromBackBuffer(Texture*) override { return false; }
    bool CopyTextureFromDepthStencilSurface(Texture*) override { return false; }
    bool CopyTexture(Texture*, Texture*) override { return false; }
    bool CopyTextureData(Texture*, Texture*) override { return false; }
    bool CreateDepthStencilSurface(Texture*, int, int, TextureFormat) override { return false; }
    bool CreateRenderTarget(Texture* pTexture, int, int, TextureFormat, TexturePool* pPool,
                            uint32_t* pFlags, bool) override;
    void SaveTextureToFile(const std::string&, Texture*, ImageFileFormat) override {}

private:
    bool LoadResource(Resource* pRes, const char* call);
    void UnloadResource(Resource* pRes, const char* call);
    void ResolveByName(const char* kind, Shader* pShader, const char* name, uintptr_t* pHandleCache,
                       int32_t* pRegisterCache);

    uintptr_t m_NextToken = 0x1000;
    std::set<Texture*> m_LockedTextures;
    unsigned char m_LockMemory[64] = {};
};

} // namespace HalvexTest
