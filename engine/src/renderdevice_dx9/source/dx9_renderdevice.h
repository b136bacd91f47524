#pragma once
// The Direct3D 9 render device: the one implementation of RenderDevice.
//
// The device keeps every bound object and render state in a Dx9BoundState, so that
// redundant binds make no native call. Its operations are spread over files by topic:
//   dx9_renderdevice       creation, frame, render states, rectangles, targets, caps, reset
//   dx9_drawfunctions      draws and the stream/declaration/index binding helpers
//   dx9_shaderfunctions    shader binding and constants by register and by name
//   dx9_texturefunctions   texture binding with sampler states, copies, mipmaps, saving
//   dx9_resourceloader     native objects behind layouts, buffers, textures and shaders

#include "d3d9gl/d3d9.h"
#include "d3d9gl/d3dx9.h"
#include "rendercore/source/renderdevice/renderdevice.h"
#include "renderdevice_dx9/source/dx9_boundstate.h"
#include "renderdevice_dx9/source/dx9_devicediagnostics.h"

#include <memory>
#include <unordered_map>

namespace Halvex::RenderCore
{

class Dx9DeviceCreatorBase;
class RenderTargetBracket;

class Dx9RenderDevice final : public RenderDevice
{
public:
    // Takes the creator whatever its creation's outcome; without a native device every
    // operation does nothing and reports failure.
    explicit Dx9RenderDevice(std::unique_ptr<Dx9DeviceCreatorBase> pCreator);
    ~Dx9RenderDevice() override;

    // ---- device and frame (dx9_renderdevice) ----
    void Initialize() override;
    void Shutdown() override;
    const char* GetName() const override { return "directx_9"; }
    void* GetNativeDevice() override { return m_pDevice; }
    DeviceDiagnostics* GetDiagnostics() override { return m_pDiagnostics.get(); }
    void GetDeviceCaps(DeviceCaps* pCaps) override;
    int GetVideoMemorySize() override { return m_VideoMemorySize; }
    int GetShaderModel() override { return m_ShaderModel; }
    void GetDeviceSetting(DeviceSetting* pSetting) override;
    bool ResetDevice(const DeviceSetting* pSetting, void* pPreResetArg,
                     void* pPostResetArg) override;
    void BeginScene() override;
    void EndScene() override;
    void BeginRenderTargets(const RenderTargetSet* pSet) override;
    void EndRenderTargets(bool resolve) override;
    void Present() override;
    void Clear(uint32_t flags, uint32_t color, float depth, int32_t stencil) override;
    bool CheckDevice(void* pPreResetArg, void* pPostResetArg) override;
    void SaveBackBufferToFile(const std::string& fileName, ImageFileFormat format) override;

    // ---- render states and rectangles (dx9_renderdevice) ----
    void GetRenderState(RenderStateType state, uint32_t* pValue) override;
    void SetRenderState(RenderStateType state, uint32_t value) override;
    void GetNativeRenderState(RenderStateType state, uint32_t* pValue) override;
    void SetNativeRenderState(RenderStateType state, uint32_t nativeValue) override;
    Rect_t GetViewport() override;
    void SetViewport(const float* pRect) override;
    Rect_t GetScissorRect() override;
    void SetScissorRect(const float* pRect) override;

    // ---- render targets (dx9_renderdevice) ----
    void GetDepthStencilSurface(Texture* pTexture) override;
    void SetDepthStencilSurface(Texture* pTexture) override;
    void ResolveDepthStencilSurface(Texture*) override {}
    void RestoreDepthStencilSurface(Texture* pTexture) override;
    void GetRenderTarget(int index, Texture* pTexture) override;
    void SetRenderTarget(int index, Texture* pTexture) override;
    void SetCubeRenderTarget(int index, Texture* pTexture, int face) override;
    void ResolveRenderTarget(int, Texture*) override {}
    void RestoreRenderTarget(int index, Texture* pTexture) override;
    bool CreateDepthStencilSurface(Texture* pTexture, int width, int height,
                                   TextureFormat format) override;
    bool CreateRenderTarget(Texture* pTexture, int width, int height, TextureFormat format,
                            TexturePool* pPool, uint32_t* pFlags, bool cube) override;

    // ---- draws (dx9_drawfunctions) ----
    void DrawIndexed(InputLayout* pInputLayout, VertexBuffer* pVertexBuf, int vertexBase,
                     int vertexCount, IndexBuffer* pIndexBuf, int indexBase,
                     int indexCount) override;
    void DrawMesh(InputLayout* pInputLayout, const Mesh* pMesh) override;
    void DrawMultiStream(InputLayout* pInputLayout, int streamCount, const int* pOffsets,
                         VertexBuffer* const* ppVertexBufs, int vertexBase, int vertexCount,
                         IndexBuffer* pIndexBuf, int indexBase, int indexCount) override;
    void DrawInstanced(InputLayout* pInputLayout, VertexBuffer* pVertexBuf, int vertexBase,
                       int vertexCount, IndexBuffer* pIndexBuf, int indexBase, int indexCount,
                       VertexBuffer* pInstanceBuffer, int instanceBase, int instanceSize,
                       int instanceCount) override;
    void DrawMeshInstanced(InputLayout* pInputLayout, const Mesh* pMesh,
                           VertexBuffer* pInstanceBuffer) override;
    bool DrawUser(InputLayout* pInputLayout, PrimitiveType primType, int primitiveCount,
                  const void* pVertices, int vertexSize, int reserved) override;

    // ---- shaders and constants (dx9_shaderfunctions) ----
    VertexShader* GetVertexShader() override;
    void SetVertexShader(VertexShader* pShader) override;
    void ResetVertexShader() override;
    PixelShader* GetPixelShader() override;
    void SetPixelShader(PixelShader* pShader) override;
    void ResetPixelShader() override;
    void GetShaders(ShaderPair* pPair) override;
    void SetShaders(const ShaderPair* pPair) override;
    void SetShaders(VertexShader* pVertexShader, PixelShader* pPixelShader) override;
    void ResetShaders() override;
    void SetShaderConstantMatrixByName(Shader* pShader, const char* name, const float* pMatrix,
                                       uintptr_t* pHandleCache) override;
    void SetShaderConstantVectorByName(Shader* pShader, const char* name, const float* pVector,
                                       uintptr_t* pHandleCache) override;
    void SetShaderConstantFloatByName(Shader* pShader, const char* name, float value,
                                      uintptr_t* pHandleCache) override;
    void SetShaderConstantIntByName(Shader* pShader, const char* name, int value,
                                    uintptr_t* pHandleCache) override;
    void SetShaderConstantBoolByName(Shader* pShader, const char* name, bool value,
                                     uintptr_t* pHandleCache) override;
    void SetShaderConstantMatrix(ShaderType shaderType, int reg, const float* pMatrix) override;
    void SetShaderConstantVector(ShaderType shaderType, int reg, const float* pVector) override;
    void SetShaderConstantFloatArray(ShaderType shaderType, int reg, const float* pValues,
                                     int count) override;
    void SetShaderConstantIntArray(ShaderType shaderType, int reg, const int* pValues,
                                   int count) override;
    void SetShaderConstantBoolArray(ShaderType shaderType, int reg, const bool* pValues,
                                    int count) override;

    // ---- textures (dx9_texturefunctions) ----
    void SetTextureByName(Shader* pShader, const char* name, const TextureSampler* pSampler,
                          uintptr_t* pHandleCache, int32_t* pRegisterCache) override;
    void SetTexture(ShaderType shaderType, int samplerIndex, Texture* pTexture,
                    const SamplerDesc* pSamplerDesc) override;
    void GenerateMipmaps(Texture* pTexture) override;
    void FlushTexture(Texture*) override {}
    bool CopyTextureFromBackBuffer(Texture* pTexture) override;
    bool CopyTextureFromDepthStencilSurface(Texture* pTexture) override;
    bool CopyTexture(Texture* pDst, Texture* pSrc) override;
    bool CopyTextureData(Texture* pDst, Texture* pSrc) override;
    void SaveTextureToFile(const std::string& fileName, Texture* pTexture,
                           ImageFileFormat format) override;

    // ---- resource loader (dx9_resourceloader) ----
    bool LoadInputLayout(InputLayout* pInputLayout, const InputElementDesc_t* pElems) override;
    void UnloadInputLayout(InputLayout* pInputLayout) override;
    bool LoadVertexBuffer(VertexBuffer* pVertexBuf, const void* pData, int vertexNum,
                          int vertexSize, TexturePool pool) override;
    void UnloadVertexBuffer(VertexBuffer* pVertexBuf) override;
    bool LockVertexBuffer(VertexBuffer* pVertexBuf, void** ppData, int offset, int size,
                          LockFlag lockFlag) override;
    void UnlockVertexBuffer(VertexBuffer* pVertexBuf) override;
    bool LoadIndexBuffer(IndexBuffer* pIndexBuf, const void* pData, int indexNum, int indexSize,
                         TexturePool pool) override;
    void UnloadIndexBuffer(IndexBuffer* pIndexBuf) override;
    bool LockIndexBuffer(IndexBuffer* pIndexBuf, void** ppData, int offset, int size,
                         LockFlag lockFlag) override;
    void UnlockIndexBuffer(IndexBuffer* pIndexBuf) override;
    bool CreateTexture(Texture* pTexture, TextureType texType, int* pWidth, int* pHeight,
                       int* pDepth, TextureFormat* pFormat, int* pMipLevels, TexturePool* pPool,
                       uint32_t* pFlags) override;
    bool LoadTextureFromMemory(Texture* pTexture, TextureType texType, const void* pData, int size,
                               int* pWidth, int* pHeight, int* pDepth, TextureFormat* pFormat,
                               int* pMipLevels, uint32_t* pFlags) override;
    void UnloadTexture(Texture* pTexture) override;
    bool LockTexture(Texture* pTexture, int mipLevel, void** ppData, int* pPitch,
                     const float* pRect, LockFlag lockFlag) override;
    void UnlockTexture(Texture* pTexture) override;
    int GetTexelAddress(Texture* pTexture, int x, int y, int pitch, int mipLevel) override;
    bool LoadVertexShader(VertexShader* pShader, const void* pCode, int size,
                          uint32_t flags) override;
    void UnloadVertexShader(VertexShader* pShader) override;
    bool LoadPixelShader(PixelShader* pShader, const void* pCode, int size,
                         uint32_t flags) override;
    void UnloadPixelShader(PixelShader* pShader) override;

private:
    // Unbinds everything natively and marks every render state "not known".
    void ResetBoundState();
    bool ResetNative(const DeviceSetting* pSetting);

    // Binding helpers: skip the native call when the cache holds the same object.
    void BindStream(int stream, IDirect3DVertexBuffer9* pBuffer, UINT offset, UINT stride);
    void BindStream(int stream, VertexBuffer* pVertexBuf, UINT offset);
    void BindDeclaration(InputLayout* pInputLayout);
    void BindIndices(IndexBuffer* pIndexBuf);
    void BindInstanceStreams(VertexBuffer* pVertexBuf, VertexBuffer* pInstanceBuffer,
                             int instanceBase, int instanceSize, int instanceCount);
    void BindTexture(DWORD sampler, IDirect3DBaseTexture9* pTexture);
    void BindSamplerState(DWORD sampler, int state, DWORD value);
    void BindSamplerStates(DWORD sampler, const SamplerDesc& desc, bool withBorder);

    // Releasing a native object that is still bound would let a new object at the same
    // address pass for it; these unbind it first.
    void ForgetDeclaration(IDirect3DVertexDeclaration9* pDeclaration);
    void ForgetVertexBuffer(IDirect3DVertexBuffer9* pBuffer);
    void ForgetIndexBuffer(IDirect3DIndexBuffer9* pBuffer);
    void ForgetTexture(IDirect3DBaseTexture9* pTexture);
    void ForgetVertexShader(IDirect3DVertexShader9* pShader);
    void ForgetPixelShader(IDirect3DPixelShader9* pShader);

    bool CopyLevelZero(Texture* pDst, IDirect3DSurface9* pSrcSurface);
    // A loaded texture of the back buffer's size, or false after the operation's message.
    bool IsBackBufferSized(const Texture* pTexture, const char* pOperation);
    bool CopyLevelData(IDirect3DTexture9* pDst, IDirect3DTexture9* pSrc, int level, int width,
                       int height, int bytesPerTexel);

    int m_VideoMemorySize = 0;
    int m_ShaderModel = 0;
    DeviceSetting m_Setting;
    std::unique_ptr<Dx9DeviceCreatorBase> m_pCreator;
    IDirect3DDevice9* m_pDevice = nullptr;
    std::unique_ptr<Dx9DeviceDiagnostics> m_pDiagnostics; // null without a native device
    std::unordered_map<Texture*, IDirect3DSurface9*> m_LockedTextures;
    std::unique_ptr<ShaderPair> m_pShaders;
    Dx9BoundState m_Bound;
    bool m_CacheEnabled = false;
    std::unique_ptr<RenderTargetBracket> m_pRenderTargets;
    std::unique_ptr<DeviceCaps> m_pCaps;
};

} // namespace Halvex::RenderCore
