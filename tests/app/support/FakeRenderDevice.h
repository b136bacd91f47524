#pragma once
// A render device that keeps buffers in host memory and records what is drawn and set, so
// application code can be tested without a GPU. Texture "files" decode when they begin
// with "TEX" followed by the width and height as two bytes each in pixels/4; anything
// else fails to decode.

#include "rendercore/source/renderdevice/renderdevice.h"

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace Halvex::RenderCore
{
class Texture;
}

class FakeRenderDevice : public Halvex::RenderCore::RenderDevice
{
public:
    using Texture = Halvex::RenderCore::Texture;

    struct Draw
    {
        bool m_User = false;
        Halvex::RenderCore::InputLayout* m_pLayout = nullptr;
        Halvex::RenderCore::PrimitiveType m_PrimType = Halvex::RenderCore::PT_TRIANGLE_LIST;
        int m_PrimitiveCount = 0;
        Halvex::RenderCore::VertexBuffer* m_pVertexBuffer = nullptr;
        int m_VertexCount = 0;
        Halvex::RenderCore::IndexBuffer* m_pIndexBuffer = nullptr;
        int m_IndexCount = 0;
        std::vector<uint8_t> m_Vertices; // user draws: a copy of the vertex memory
        int m_VertexSize = 0;
        Texture* m_pPixelTexture0 = nullptr;
        Halvex::RenderCore::SamplerDesc m_Sampler0;
        std::array<float, 4> m_PixelConstant0{};
        std::array<float, 16> m_VertexMatrix0{};
    };

    static std::string TextureFile(int width, int height);

    // Every call of the frame protocol and state setters, in order ("BeginScene",
    // "Clear 7 ff000000", "Viewport 0 0 640 720", "State 2 0", "SetShaders", ...).
    std::vector<std::string> m_Calls;
    std::vector<Draw> m_Draws;
    std::map<int, uint32_t> m_RenderStates;
    std::array<std::array<float, 4>, 256> m_VertexConstants{};
    std::array<std::array<float, 4>, 224> m_PixelConstants{};
    Texture* m_pPixelTextures[16] = {};
    Halvex::RenderCore::SamplerDesc m_PixelSamplers[16];
    Halvex::RenderCore::VertexShader* m_pVertexShader = nullptr;
    Halvex::RenderCore::PixelShader* m_pPixelShader = nullptr;
    float m_Viewport[4] = {0, 0, 0, 0};
    int m_Width = 1280;
    int m_Height = 720;
    bool m_FailVertexBuffers = false;
    int m_Presents = 0;

    // Host copy of a buffer's contents (empty for an unknown buffer).
    const std::vector<uint8_t>& BufferBytes(const void* pResource) const;

    void Initialize() override;
    void Shutdown() override;
    const char* GetName() const override { return "fake"; }
    void* GetNativeDevice() override { return this; }
    void GetDeviceCaps(Halvex::RenderCore::DeviceCaps* pCaps) override;
    int GetVideoMemorySize() override { return 0; }
    int GetShaderModel() override { return 3; }
    void GetDeviceSetting(Halvex::RenderCore::DeviceSetting* pSetting) override;
    bool ResetDevice(const Halvex::RenderCore::DeviceSetting*, void*, void*) override
    {
        return true;
    }
    void BeginScene() override;
    void EndScene() override;
    void BeginRenderTargets(const Halvex::RenderCore::RenderTargetSet*) override {}
    void EndRenderTargets(bool) override {}
    void Present() override;
    void Clear(uint32_t flags, uint32_t color, float depth, int32_t stencil) override;

    void DrawIndexed(Halvex::RenderCore::InputLayout* pInputLayout,
                     Halvex::RenderCore::VertexBuffer* pVertexBuf, int vertexBase, int vertexCount,
                     Halvex::RenderCore::IndexBuffer* pIndexBuf, int indexBase,
                     int indexCount) override;
    void DrawMesh(Halvex::RenderCore::InputLayout*, const Halvex::RenderCore::Mesh*) override {}
    void DrawMultiStream(Halvex::RenderCore::InputLayout*, int, const int*,
                         Halvex::RenderCore::VertexBuffer* const*, int, int,
                         Halvex::RenderCore::IndexBuffer*, int, int) override
    {
    }
    void DrawInstanced(Halvex::RenderCore::InputLayout*, Halvex::RenderCore::VertexBuffer*, int,
                       int, Halvex::RenderCore::IndexBuffer*, int, int,
                       Halvex::RenderCore::VertexBuffer*, int, int, int) override
    {
    }
    void DrawMeshInstanced(Halvex::RenderCore::InputLayout*, const Halvex::RenderCore::Mesh*,
                           Halvex::RenderCore::VertexBuffer*) override
    {
    }
    bool DrawUser(Halvex::RenderCore::InputLayout* pInputLayout,
                  Halvex::RenderCore::PrimitiveType primType, int primitiveCount,
                  const void* pVertices, int vertexSize, int reserved) override;

    void GetRenderState(Halvex::RenderCore::RenderStateType state, uint32_t* pValue) override;
    void SetRenderState(Halvex::RenderCore::RenderStateType state, uint32_t value) override;
    void GetNativeRenderState(Halvex::RenderCore::RenderStateType state, uint32_t* pValue) override;
    void SetNativeRenderState(Halvex::RenderCore::RenderStateType state,
                              uint32_t nativeValue) override;
    Halvex::RenderCore::Rect_t GetViewport() override;
    void SetViewport(const float* pRect) override;
    Halvex::RenderCore::Rect_t GetScissorRect() override { return {}; }
    void SetScissorRect(const float*) override {}

    void GetDepthStencilSurface(Texture*) override {}
    void SetDepthStencilSurface(Texture*) override {}
    void ResolveDepthStencilSurface(Texture*) override {}
    void RestoreDepthStencilSurface(Texture*) override {}
    void GetRenderTarget(int, Texture*) override {}
    void SetRenderTarget(int, Texture*) override {}
    void SetCubeRenderTarget(int, Texture*, int) override {}
    void ResolveRenderTarget(int, Texture*) override {}
    void RestoreRenderTarget(int, Texture*) override {}

    Halvex::RenderCore::VertexShader* GetVertexShader() override { return m_pVertexShader; }
    void SetVertexShader(Halvex::RenderCore::VertexShader* pShader) override;
    void ResetVertexShader() override;
    Halvex::RenderCore::PixelShader* GetPixelShader() override { return m_pPixelShader; }
    void SetPixelShader(Halvex::RenderCore::PixelShader* pShader) override;
    void ResetPixelShader() override;
    void GetShaders(Halvex::RenderCore::ShaderPair* pPair) override;
    void SetShaders(const Halvex::RenderCore::ShaderPair* pPair) override;
    void SetShaders(Halvex::RenderCore::VertexShader* pVertexShader,
                    Halvex::RenderCore::PixelShader* pPixelShader) override;
    void ResetShaders() override;

    void SetTextureByName(Halvex::RenderCore::Shader*, const char*,
                          const Halvex::RenderCore::TextureSampler*, uintptr_t*, int32_t*) override
    {
    }
    void SetShaderConstantMatrixByName(Halvex::RenderCore::Shader*, const char*, const float*,
                                       uintptr_t*) override
    {
    }
    void SetShaderConstantVectorByName(Halvex::RenderCore::Shader*, const char*, const float*,
                                       uintptr_t*) override
    {
    }
    void SetShaderConstantFloatByName(Halvex::RenderCore::Shader*, const char*, float,
                                      uintptr_t*) override
    {
    }
    void SetShaderConstantIntByName(Halvex::RenderCore::Shader*, const char*, int,
                                    uintptr_t*) override
    {
    }
    void SetShaderConstantBoolByName(Halvex::RenderCore::Shader*, const char*, bool,
                                     uintptr_t*) override
    {
    }
    void SetTexture(Halvex::RenderCore::ShaderType shaderType, int samplerIndex, Texture* pTexture,
                    const Halvex::RenderCore::SamplerDesc* pSamplerDesc) override;
    void SetShaderConstantMatrix(Halvex::RenderCore::ShaderType shaderType, int reg,
                                 const float* pMatrix) override;
    void SetShaderConstantVector(Halvex::RenderCore::ShaderType shaderType, int reg,
                                 const float* pVector) override;
    void SetShaderConstantFloatArray(Halvex::RenderCore::ShaderType, int, const float*,
                                     int) override
    {
    }
    void SetShaderConstantIntArray(Halvex::RenderCore::ShaderType, int, const int*, int) override {}
    void SetShaderConstantBoolArray(Halvex::RenderCore::ShaderType, int, const bool*, int) override
    {
    }
    bool CheckDevice(void*, void*) override { return true; }
    void SaveBackBufferToFile(const std::string&, Halvex::RenderCore::ImageFileFormat) override {}
    void GenerateMipmaps(Texture*) override {}
    void FlushTexture(Texture*) override {}

    bool LoadInputLayout(Halvex::RenderCore::InputLayout* pInputLayout,
                         const Halvex::RenderCore::InputElementDesc_t* pElems) override;
    void UnloadInputLayout(Halvex::RenderCore::InputLayout* pInputLayout) override;
    bool LoadVertexBuffer(Halvex::RenderCore::VertexBuffer* pVertexBuf, const void* pData,
                          int vertexNum, int vertexSize,
                          Halvex::RenderCore::TexturePool pool) override;
    void UnloadVertexBuffer(Halvex::RenderCore::VertexBuffer* pVertexBuf) override;
    bool LockVertexBuffer(Halvex::RenderCore::VertexBuffer* pVertexBuf, void** ppData, int offset,
                          int size, Halvex::RenderCore::LockFlag lockFlag) override;
    void UnlockVertexBuffer(Halvex::RenderCore::VertexBuffer*) override {}
    bool LoadIndexBuffer(Halvex::RenderCore::IndexBuffer* pIndexBuf, const void* pData,
                         int indexNum, int indexSize,
                         Halvex::RenderCore::TexturePool pool) override;
    void UnloadIndexBuffer(Halvex::RenderCore::IndexBuffer* pIndexBuf) override;
    bool LockIndexBuffer(Halvex::RenderCore::IndexBuffer* pIndexBuf, void** ppData, int offset,
                         int size, Halvex::RenderCore::LockFlag lockFlag) override;
    void UnlockIndexBuffer(Halvex::RenderCore::IndexBuffer*) override {}
    bool CreateTexture(Texture*, Halvex::RenderCore::TextureType, int*, int*, int*,
                       Halvex::RenderCore::TextureFormat*, int*, Halvex::RenderCore::TexturePool*,
                       uint32_t*) override
    {
        return false;
    }
    bool LoadTextureFromMemory(Texture* pTexture, Halvex::RenderCore::TextureType texType,
                               const void* pData, int size, int* pWidth, int* pHeight, int* pDepth,
                               Halvex::RenderCore::TextureFormat* pFormat, int* pMipLevels,
                               uint32_t* pFlags) override;
    void UnloadTexture(Texture* pTexture) override;
    bool LockTexture(Texture*, int, void**, int*, const float*,
                     Halvex::RenderCore::LockFlag) override
    {
        return false;
    }
    void UnlockTexture(Texture*) override {}
    int GetTexelAddress(Texture*, int, int, int, int) override { return 0; }
    bool LoadVertexShader(Halvex::RenderCore::VertexShader* pShader, const void* pCode, int size,
                          uint32_t flags) override;
    void UnloadVertexShader(Halvex::RenderCore::VertexShader* pShader) override;
    bool LoadPixelShader(Halvex::RenderCore::PixelShader* pShader, const void* pCode, int size,
                         uint32_t flags) override;
    void UnloadPixelShader(Halvex::RenderCore::PixelShader* pShader) override;

    bool CopyTextureFromBackBuffer(Texture*) override { return false; }
    bool CopyTextureFromDepthStencilSurface(Texture*) override { return false; }
    bool CopyTexture(Texture*, Texture*) override { return false; }
    bool CopyTextureData(Texture*, Texture*) override { return false; }
    bool CreateDepthStencilSurface(Texture*, int, int, Halvex::RenderCore::TextureFormat) override
    {
        return false;
    }
    bool CreateRenderTarget(Texture*, int, int, Halvex::RenderCore::TextureFormat,
                            Halvex::RenderCore::TexturePool*, uint32_t*, bool) override
    {
        return false;
    }
    void SaveTextureToFile(const std::string&, Texture*,
                           Halvex::RenderCore::ImageFileFormat) override
    {
    }

private:
    // Host memory standing in for native objects, keyed by the resource.
    std::map<const void*, std::vector<uint8_t>> m_Memory;
    // Stand-in native objects for resources without contents.
    std::map<const void*, int> m_Handles;
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
