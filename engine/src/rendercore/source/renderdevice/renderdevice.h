#pragma once
// The device-independent face of the renderer.
//
// Everything above the rendering core draws through this interface and the resource
// classes. The core itself implements input-layout creation, the shader lock and the
// default render states; a back end implements the rest. One device is current at a
// time (SetRenderDevice / GetRenderDevice).
//
// Sections: global access and back-end factory; RenderDevice (device and frame, draws,
// render states and rectangles, targets, shaders, constants and textures, resource
// loader, texture copies and targets).

#include "rendercore/source/common/inputelement.h"
#include "rendercore/source/renderdevice/devicetypes.h"
#include "rendercore/source/renderdevice/renderenums.h"

#include <cstdint>
#include <memory>
#include <string>

namespace Halvex::RenderCore
{

class IndexBuffer;
class InputLayout;
class InputLayoutPool;
class Mesh;
class PixelShader;
class RenderDevice;
class DeviceDiagnostics;
class ResourceProfiler;
class Shader;
class Texture;
class VertexBuffer;
class VertexShader;

// Module name under which the rendering core and its back end log.
inline constexpr const char* RENDER_CORE_MODULE = "RENDER_CORE";

// Makes a device current and calls its Initialize. False, changing nothing, when a
// device is already current.
bool SetRenderDevice(RenderDevice* pDevice);
// Calls the current device's Shutdown and clears the current device; the owner deletes it.
void ReleaseRenderDevice();
// The current device or null.
RenderDevice* GetRenderDevice();

// The back end's handle on the graphics system, created before the render device.
class VideoDevice
{
public:
    virtual ~VideoDevice() = default;
};

// Factory entry points, defined by the back end linked into the program. A device whose
// native creation failed is still returned; its GetNativeDevice() is null.
std::unique_ptr<VideoDevice> CreateVideoDevice();
std::unique_ptr<RenderDevice> CreateRenderDevice(VideoDevice* pVideoDevice,
                                                 const DeviceCreateParam* pParam);

class RenderDevice
{
public:
    RenderDevice();
    virtual ~RenderDevice();
    RenderDevice(const RenderDevice&) = delete;
    RenderDevice& operator=(const RenderDevice&) = delete;

    // ---- device and frame ----

    // Called once by SetRenderDevice: resets the back end's state cache and applies
    // SetDefaultRenderStates.
    virtual void Initialize() = 0;
    // Back ends release their own objects, then call RenderDevice::Shutdown(), which
    // deletes the resource profiler and the input-layout pool.
    virtual void Shutdown() = 0;
    virtual const char* GetName() const = 0;
    virtual void* GetNativeDevice() = 0;
    // Counters, shader logs, marker pairs and frame capture; null when the back end has none.
    virtual DeviceDiagnostics* GetDiagnostics() { return nullptr; }
    virtual void GetDeviceCaps(DeviceCaps* pCaps) = 0;
    // Local video memory in MB, 0 when unknown.
    virtual int GetVideoMemorySize() = 0;
    // 0-3.
    virtual int GetShaderModel() = 0;
    virtual void GetDeviceSetting(DeviceSetting* pSetting) = 0;
    // The two hook arguments go to the back end's pre- and post-reset hooks.
    virtual bool ResetDevice(const DeviceSetting* pSetting, void* pPreResetArg,
                             void* pPostResetArg) = 0;
    virtual void BeginScene() = 0;
    virtual void EndScene() = 0;
    // Saves the bound targets and binds the set (see RenderTargetBracket).
    virtual void BeginRenderTargets(const RenderTargetSet* pSet) = 0;
    // Optionally resolves the set, then binds the saved targets again.
    virtual void EndRenderTargets(bool resolve) = 0;
    virtual void Present() = 0;
    // ClearFlag bits; nothing happens when no flag is set. color is ARGB.
    virtual void Clear(uint32_t flags, uint32_t color, float depth, int32_t stencil) = 0;

    // ---- draws (the primitive type comes from the vertex buffer) ----

    // pIndexBuf may be null.
    virtual void DrawIndexed(InputLayout* pInputLayout, VertexBuffer* pVertexBuf, int vertexBase,
                             int vertexCount, IndexBuffer* pIndexBuf, int indexBase,
                             int indexCount) = 0;
    // Vertex buffer 0 and the index buffer of the mesh through DrawIndexed.
    virtual void DrawMesh(InputLayout* pInputLayout, const Mesh* pMesh) = 0;
    virtual void DrawMultiStream(InputLayout* pInputLayout, int streamCount, const int* pOffsets,
                                 VertexBuffer* const* ppVertexBufs, int vertexBase, int vertexCount,
                                 IndexBuffer* pIndexBuf, int indexBase, int indexCount) = 0;
    virtual void DrawInstanced(InputLayout* pInputLayout, VertexBuffer* pVertexBuf, int vertexBase,
                               int vertexCount, IndexBuffer* pIndexBuf, int indexBase,
                               int indexCount, VertexBuffer* pInstanceBuffer, int instanceBase,
                               int instanceSize, int instanceCount) = 0;
    virtual void DrawMeshInstanced(InputLayout* pInputLayout, const Mesh* pMesh,
                                   VertexBuffer* pInstanceBuffer) = 0;
    // Draws from caller memory. `reserved` is 1 from every caller and not read.
    virtual bool DrawUser(InputLayout* pInputLayout, PrimitiveType primType, int primitiveCount,
                          const void* pVertices, int vertexSize, int reserved) = 0;

    // ---- render states and rectangles ----

    // The native state read back and converted to the engine value.
    virtual void GetRenderState(RenderStateType state, uint32_t* pValue) = 0;
    virtual void SetRenderState(RenderStateType state, uint32_t value) = 0;
    // The native value, not converted.
    virtual void GetNativeRenderState(RenderStateType state, uint32_t* pValue) = 0;
    virtual void SetNativeRenderState(RenderStateType state, uint32_t nativeValue) = 0;
    virtual Rect_t GetViewport() = 0;
    // pRect: x, y, width, height; depth range 0-1.
    virtual void SetViewport(const float* pRect) = 0;
    virtual Rect_t GetScissorRect() = 0;
    // pRect: x, y, width, height; a width or height of 0 or less turns scissoring off.
    virtual void SetScissorRect(const float* pRect) = 0;

    // ---- render targets (the texture receives the native surface as user data) ----

    virtual void GetDepthStencilSurface(Texture* pTexture) = 0;
    virtual void SetDepthStencilSurface(Texture* pTexture) = 0;
    virtual void ResolveDepthStencilSurface(Texture* pTexture) = 0;
    // Binds the surface kept in the texture, releases it and clears the user data.
    virtual void RestoreDepthStencilSurface(Texture* pTexture) = 0;
    virtual void GetRenderTarget(int index, Texture* pTexture) = 0;
    // Level 0 of a 2D texture.
    virtual void SetRenderTarget(int index, Texture* pTexture) = 0;
    // Level 0 of a cube face.
    virtual void SetCubeRenderTarget(int index, Texture* pTexture, int face) = 0;
    virtual void ResolveRenderTarget(int index, Texture* pTexture) = 0;
    // Binds the surface kept in the texture, releases it and clears the user data.
    virtual void RestoreRenderTarget(int index, Texture* pTexture) = 0;

    // ---- input layouts and shaders ----

    // A layout from the device's pool: the same list gives the same layout. The device
    // keeps ownership; callers never delete it.
    virtual InputLayout* CreateInputLayout(const InputElementDesc_t* elems, int elemCount);
    // Binds the pair and pins it: shader changes of everybody else are ignored until the
    // matching UnlockShader. Locks nest.
    virtual void LockShader(const ShaderPair* pPair);
    virtual void UnlockShader();
    virtual bool IsShaderLocked() const;
    virtual VertexShader* GetVertexShader() = 0;
    // Ignored while locked or for null (ResetVertexShader unbinds).
    virtual void SetVertexShader(VertexShader* pShader) = 0;
    // Ignored while locked.
    virtual void ResetVertexShader() = 0;
    virtual PixelShader* GetPixelShader() = 0;
    // Ignored while locked or for null (ResetPixelShader unbinds).
    virtual void SetPixelShader(PixelShader* pShader) = 0;
    // Ignored while locked.
    virtual void ResetPixelShader() = 0;
    virtual void GetShaders(ShaderPair* pPair) = 0;
    // SetShaders(pair's vertex shader, pair's pixel shader).
    virtual void SetShaders(const ShaderPair* pPair) = 0;
    // SetVertexShader, then SetPixelShader.
    virtual void SetShaders(VertexShader* pVertexShader, PixelShader* pPixelShader) = 0;
    // ResetVertexShader, then ResetPixelShader.
    virtual void ResetShaders() = 0;

    // ---- constants and textures ----

    // By-name setters: the caller keeps the caches per shader and name, a handle of 0
    // and a register of -1 meaning not yet resolved. An unknown name leaves them so.
    virtual void SetTextureByName(Shader* pShader, const char* name, const TextureSampler* pSampler,
                                  uintptr_t* pHandleCache, int32_t* pRegisterCache) = 0;
    // pMatrix: 16 floats as stored.
    virtual void SetShaderConstantMatrixByName(Shader* pShader, const char* name,
                                               const float* pMatrix, uintptr_t* pHandleCache) = 0;
    virtual void SetShaderConstantVectorByName(Shader* pShader, const char* name,
                                               const float* pVector, uintptr_t* pHandleCache) = 0;
    virtual void SetShaderConstantFloatByName(Shader* pShader, const char* name, float value,
                                              uintptr_t* pHandleCache) = 0;
    virtual void SetShaderConstantIntByName(Shader* pShader, const char* name, int value,
                                            uintptr_t* pHandleCache) = 0;
    virtual void SetShaderConstantBoolByName(Shader* pShader, const char* name, bool value,
                                             uintptr_t* pHandleCache) = 0;
    // pTexture may be null (unbinds the sampler).
    virtual void SetTexture(ShaderType shaderType, int samplerIndex, Texture* pTexture,
                            const SamplerDesc* pSamplerDesc) = 0;
    // Four registers from 16 floats as stored.
    virtual void SetShaderConstantMatrix(ShaderType shaderType, int reg, const float* pMatrix) = 0;
    virtual void SetShaderConstantVector(ShaderType shaderType, int reg, const float* pVector) = 0;
    // Array setters round count up to whole registers of four.
    virtual void SetShaderConstantFloatArray(ShaderType shaderType, int reg, const float* pValues,
                                             int count) = 0;
    virtual void SetShaderConstantIntArray(ShaderType shaderType, int reg, const int* pValues,
                                           int count) = 0;
    virtual void SetShaderConstantBoolArray(ShaderType shaderType, int reg, const bool* pValues,
                                            int count) = 0;
    // False while the device is lost; resets it when it can be reset.
    virtual bool CheckDevice(void* pPreResetArg, void* pPostResetArg) = 0;
    virtual void SaveBackBufferToFile(const std::string& fileName, ImageFileFormat format) = 0;
    // Rebuilds all lower levels from level 0.
    virtual void GenerateMipmaps(Texture* pTexture) = 0;
    virtual void FlushTexture(Texture* pTexture) = 0;

    // ---- resource loader: called by the resource classes, not by application code ----

    virtual bool LoadInputLayout(InputLayout* pInputLayout, const InputElementDesc_t* pElems) = 0;
    virtual void UnloadInputLayout(InputLayout* pInputLayout) = 0;
    virtual bool LoadVertexBuffer(VertexBuffer* pVertexBuf, const void* pData, int vertexNum,
                                  int vertexSize, TexturePool pool) = 0;
    virtual void UnloadVertexBuffer(VertexBuffer* pVertexBuf) = 0;
    virtual bool LockVertexBuffer(VertexBuffer* pVertexBuf, void** ppData, int offset, int size,
                                  LockFlag lockFlag) = 0;
    virtual void UnlockVertexBuffer(VertexBuffer* pVertexBuf) = 0;
    virtual bool LoadIndexBuffer(IndexBuffer* pIndexBuf, const void* pData, int indexNum,
                                 int indexSize, TexturePool pool) = 0;
    virtual void UnloadIndexBuffer(IndexBuffer* pIndexBuf) = 0;
    virtual bool LockIndexBuffer(IndexBuffer* pIndexBuf, void** ppData, int offset, int size,
                                 LockFlag lockFlag) = 0;
    virtual void UnlockIndexBuffer(IndexBuffer* pIndexBuf) = 0;
    // In/out: the requested values go in, the created texture's values come back.
    virtual bool CreateTexture(Texture* pTexture, TextureType texType, int* pWidth, int* pHeight,
                               int* pDepth, TextureFormat* pFormat, int* pMipLevels,
                               TexturePool* pPool, uint32_t* pFlags) = 0;
    virtual bool LoadTextureFromMemory(Texture* pTexture, TextureType texType, const void* pData,
                                       int size, int* pWidth, int* pHeight, int* pDepth,
                                       TextureFormat* pFormat, int* pMipLevels,
                                       uint32_t* pFlags) = 0;
    virtual void UnloadTexture(Texture* pTexture) = 0;
    // pRect: x, y, width, height or null for the whole level.
    virtual bool LockTexture(Texture* pTexture, int mipLevel, void** ppData, int* pPitch,
                             const float* pRect, LockFlag lockFlag) = 0;
    virtual void UnlockTexture(Texture* pTexture) = 0;
    // Byte offset of texel (x, y) in a locked level.
    virtual int GetTexelAddress(Texture* pTexture, int x, int y, int pitch, int mipLevel) = 0;
    virtual bool LoadVertexShader(VertexShader* pShader, const void* pCode, int size,
                                  uint32_t flags) = 0;
    virtual void UnloadVertexShader(VertexShader* pShader) = 0;
    virtual bool LoadPixelShader(PixelShader* pShader, const void* pCode, int size,
                                 uint32_t flags) = 0;
    virtual void UnloadPixelShader(PixelShader* pShader) = 0;

    // ---- texture copies and targets ----

    virtual bool CopyTextureFromBackBuffer(Texture* pTexture) = 0;
    virtual bool CopyTextureFromDepthStencilSurface(Texture* pTexture) = 0;
    // Level 0, scaled and converted.
    virtual bool CopyTexture(Texture* pDst, Texture* pSrc) = 0;
    // All levels, byte for byte.
    virtual bool CopyTextureData(Texture* pDst, Texture* pSrc) = 0;
    virtual bool CreateDepthStencilSurface(Texture* pTexture, int width, int height,
                                           TextureFormat format) = 0;
    // One level; reports the pool and flags of the created target.
    virtual bool CreateRenderTarget(Texture* pTexture, int width, int height, TextureFormat format,
                                    TexturePool* pPool, uint32_t* pFlags, bool cube) = 0;
    virtual void SaveTextureToFile(const std::string& fileName, Texture* pTexture,
                                   ImageFileFormat format) = 0;
    // The engine's defaults, through SetRenderState in RenderStateType order.
    virtual void SetDefaultRenderStates();

    ResourceProfiler* GetResourceProfiler() const { return m_pResourceProfiler.get(); }

private:
    int32_t m_ShaderLockCounter = 0;
    std::unique_ptr<ResourceProfiler> m_pResourceProfiler;
    std::unique_ptr<InputLayoutPool> m_pInputLayoutPool;
};

} // namespace Halvex::RenderCore
