#pragma once
// The GL implementation of IDirect3DDevice9.
//
// Direct3D state is shadowed in plain arrays; setters compare, store and mark a dirty
// group, and PrepareDraw flushes the dirty groups into GL through the GL state cache.
// Files: device.cpp (creation, frame, reset, caps), devicestate.cpp (render and sampler
// states, viewport, scissor, clear, render targets), devicedraw.cpp (streams, declarations,
// draws and the flush), deviceshader.cpp (shaders, constants, programs),
// deviceresource.cpp (resource creation).

#include "base/source/utility/letterbox.h"
#include "d3d9gl/capturecall.h"
#include "d3d9gl/d3d9.h"
#include "d3d9gl/d3d9gl.h"
#include "d3d9gl/d3d9glcapture.h"
#include "d3d9gl/glprofile.h"
#include "d3d9gl/glstatecache.h"
#include "d3d9gl/glsurface.h"
#include "d3d9gl/refcounted.h"
#include "d3d9gl/samplercache.h"
#include "d3d9gl/shadersource.h"
#include "d3d9gl/streamring.h"

#include <bitset>
#include <initializer_list>
#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace d3d9gl
{

class BufferStorage;
class DeviceChild;
class FrameCapture;
struct ImageSurface;
struct DeviceState_t;
class IndexBuffer;
class ShaderCode;
class TextureBase;
class SurfaceImpl;
class DepthStencilSurface;

constexpr const char* LOG_MODULE = "D3D9GL";
constexpr UINT RENDER_STATE_MAX = 256;
constexpr UINT SAMPLER_STATE_MAX = 14;
constexpr UINT SAMPLER_SLOT_MAX = GL_UNIT_VERTEX_SAMPLER0 + VERTEX_SAMPLER_MAX;
constexpr UINT STREAM_MAX = 16;
constexpr UINT RENDER_TARGET_MAX = 4;

enum DirtyFlag : uint32_t
{
    DIRTY_FRAMEBUFFER = 1u << 0,
    DIRTY_VIEWPORT = 1u << 1,
    DIRTY_VERTEX_INPUT = 1u << 3,
    DIRTY_PROGRAM = 1u << 4,
    // Render states by the GL group they feed: a change re-applies its own group only.
    DIRTY_SHADER_STATE = 1u << 5, // alpha test and point size, in the state block
    DIRTY_DEPTH_STENCIL = 1u << 6,
    DIRTY_BLEND = 1u << 7,  // blending and the colour mask
    DIRTY_RASTER = 1u << 8, // culling, fill mode, scissor test, depth bias
    DIRTY_RENDER_STATE = DIRTY_SHADER_STATE | DIRTY_DEPTH_STENCIL | DIRTY_BLEND | DIRTY_RASTER,
    DIRTY_ALL = 0xFFFFFFFFu
};

class Device final : public RefCounted<IDirect3DDevice9>
{
public:
    // pDirect3D is the creator; the device keeps a reference to it. The surface's context
    // is current.
    Device(IDirect3D9* pDirect3D, std::unique_ptr<GLSurface> surface);
    ~Device() override;
    // Sets up GL and the back buffer; false (logged) on failure.
    bool Initialize(const D3DPRESENT_PARAMETERS& params);
    // The presentation parameters in effect, defaults (size 0, format unknown) filled in.
    const D3DPRESENT_PARAMETERS& PresentParameters() const { return m_Params; }

    // IDirect3DDevice9
    HRESULT TestCooperativeLevel() override;
    UINT GetAvailableTextureMem() override;
    HRESULT GetDeviceCaps(D3DCAPS9* pCaps) override;
    HRESULT GetDirect3D(IDirect3D9** ppD3D9) override;
    HRESULT Reset(D3DPRESENT_PARAMETERS* pPresentationParameters) override;
    HRESULT Present(const RECT* pSourceRect, const RECT* pDestRect, HWND hDestWindowOverride,
                    const RGNDATA* pDirtyRegion) override;
    HRESULT GetBackBuffer(UINT iSwapChain, UINT iBackBuffer, D3DBACKBUFFER_TYPE Type,
                          IDirect3DSurface9** ppBackBuffer) override;
    HRESULT BeginScene() override;
    HRESULT EndScene() override;
    HRESULT Clear(DWORD Count, const D3DRECT* pRects, DWORD Flags, D3DCOLOR Color, float Z,
                  DWORD Stencil) override;

    HRESULT CreateTexture(UINT Width, UINT Height, UINT Levels, DWORD Usage, D3DFORMAT Format,
                          D3DPOOL Pool, IDirect3DTexture9** ppTexture,
                          HANDLE* pSharedHandle) override;
    HRESULT CreateVolumeTexture(UINT Width, UINT Height, UINT Depth, UINT Levels, DWORD Usage,
                                D3DFORMAT Format, D3DPOOL Pool,
                                IDirect3DVolumeTexture9** ppVolumeTexture,
                                HANDLE* pSharedHandle) override;
    HRESULT CreateCubeTexture(UINT EdgeLength, UINT Levels, DWORD Usage, D3DFORMAT Format,
                              D3DPOOL Pool, IDirect3DCubeTexture9** ppCubeTexture,
                              HANDLE* pSharedHandle) override;
    HRESULT CreateVertexBuffer(UINT Length, DWORD Usage, DWORD FVF, D3DPOOL Pool,
                               IDirect3DVertexBuffer9** ppVertexBuffer,
                               HANDLE* pSharedHandle) override;
    HRESULT CreateIndexBuffer(UINT Length, DWORD Usage, D3DFORMAT Format, D3DPOOL Pool,
                              IDirect3DIndexBuffer9** ppIndexBuffer,
                              HANDLE* pSharedHandle) override;
    HRESULT CreateDepthStencilSurface(UINT Width, UINT Height, D3DFORMAT Format,
                                      D3DMULTISAMPLE_TYPE MultiSample, DWORD MultisampleQuality,
                                      BOOL Discard, IDirect3DSurface9** ppSurface,
                                      HANDLE* pSharedHandle) override;
    HRESULT CreateOffscreenPlainSurface(UINT Width, UINT Height, D3DFORMAT Format, D3DPOOL Pool,
                                        IDirect3DSurface9** ppSurface,
                                        HANDLE* pSharedHandle) override;
    HRESULT CreateVertexDeclaration(const D3DVERTEXELEMENT9* pVertexElements,
                                    IDirect3DVertexDeclaration9** ppDecl) override;
    HRESULT CreateVertexShader(const DWORD* pFunction, IDirect3DVertexShader9** ppShader) override;
    HRESULT CreatePixelShader(const DWORD* pFunction, IDirect3DPixelShader9** ppShader) override;

    HRESULT GetRenderTargetData(IDirect3DSurface9* pRenderTarget,
                                IDirect3DSurface9* pDestSurface) override;
    HRESULT SetRenderTarget(DWORD RenderTargetIndex, IDirect3DSurface9* pRenderTarget) override;
    HRESULT GetRenderTarget(DWORD RenderTargetIndex, IDirect3DSurface9** ppRenderTarget) override;
    HRESULT SetDepthStencilSurface(IDirect3DSurface9* pNewZStencil) override;
    HRESULT GetDepthStencilSurface(IDirect3DSurface9** ppZStencilSurface) override;

    HRESULT SetViewport(const D3DVIEWPORT9* pViewport) override;
    HRESULT GetViewport(D3DVIEWPORT9* pViewport) override;
    HRESULT SetRenderState(D3DRENDERSTATETYPE State, DWORD Value) override;
    HRESULT GetRenderState(D3DRENDERSTATETYPE State, DWORD* pValue) override;
    HRESULT SetScissorRect(const RECT* pRect) override;
    HRESULT GetScissorRect(RECT* pRect) override;
    HRESULT SetTexture(DWORD Stage, IDirect3DBaseTexture9* pTexture) override;
    HRESULT GetTexture(DWORD Stage, IDirect3DBaseTexture9** ppTexture) override;
    HRESULT SetSamplerState(DWORD Sampler, D3DSAMPLERSTATETYPE Type, DWORD Value) override;
    HRESULT GetSamplerState(DWORD Sampler, D3DSAMPLERSTATETYPE Type, DWORD* pValue) override;

    HRESULT SetStreamSource(UINT StreamNumber, IDirect3DVertexBuffer9* pStreamData,
                            UINT OffsetInBytes, UINT Stride) override;
    HRESULT GetStreamSource(UINT StreamNumber, IDirect3DVertexBuffer9** ppStreamData,
                            UINT* pOffsetInBytes, UINT* pStride) override;
    HRESULT SetStreamSourceFreq(UINT StreamNumber, UINT Setting) override;
    HRESULT GetStreamSourceFreq(UINT StreamNumber, UINT* pSetting) override;
    HRESULT SetIndices(IDirect3DIndexBuffer9* pIndexData) override;
    HRESULT GetIndices(IDirect3DIndexBuffer9** ppIndexData) override;
    HRESULT SetVertexDeclaration(IDirect3DVertexDeclaration9* pDecl) override;
    HRESULT GetVertexDeclaration(IDirect3DVertexDeclaration9** ppDecl) override;
    HRESULT DrawPrimitive(D3DPRIMITIVETYPE PrimitiveType, UINT StartVertex,
                          UINT PrimitiveCount) override;
    HRESULT DrawIndexedPrimitive(D3DPRIMITIVETYPE PrimitiveType, INT BaseVertexIndex,
                                 UINT MinVertexIndex, UINT NumVertices, UINT startIndex,
                                 UINT primCount) override;
    HRESULT DrawPrimitiveUP(D3DPRIMITIVETYPE PrimitiveType, UINT PrimitiveCount,
                            const void* pVertexStreamZeroData,
                            UINT VertexStreamZeroStride) override;

    HRESULT SetVertexShader(IDirect3DVertexShader9* pShader) override;
    HRESULT GetVertexShader(IDirect3DVertexShader9** ppShader) override;
    HRESULT SetPixelShader(IDirect3DPixelShader9* pShader) override;
    HRESULT GetPixelShader(IDirect3DPixelShader9** ppShader) override;
    HRESULT SetVertexShaderConstantF(UINT StartRegister, const float* pConstantData,
                                     UINT Vector4fCount) override;
    HRESULT GetVertexShaderConstantF(UINT StartRegister, float* pConstantData,
                                     UINT Vector4fCount) override;
    HRESULT SetVertexShaderConstantI(UINT StartRegister, const int* pConstantData,
                                     UINT Vector4iCount) override;
    HRESULT SetVertexShaderConstantB(UINT StartRegister, const BOOL* pConstantData,
                                     UINT BoolCount) override;
    HRESULT SetPixelShaderConstantF(UINT StartRegister, const float* pConstantData,
                                    UINT Vector4fCount) override;
    HRESULT GetPixelShaderConstantF(UINT StartRegister, float* pConstantData,
                                    UINT Vector4fCount) override;
    HRESULT SetPixelShaderConstantI(UINT StartRegister, const int* pConstantData,
                                    UINT Vector4iCount) override;
    HRESULT SetPixelShaderConstantB(UINT StartRegister, const BOOL* pConstantData,
                                    UINT BoolCount) override;

    // Services for d3d9gl's own objects.
    GLStateCache& GL() { return m_Gl; }
    // Makes the device's context current if another one is, and draws the merged draws
    // still waiting: any GL work from outside the device's draw path (an upload, a
    // read-back, a deletion) must come after them.
    void Activate();
    // Reads level `level` of `texture` (bound at `target`: 2D or a cube face) through the
    // device's read framebuffer.
    void ReadPixels(GLenum target, GLuint texture, UINT level, UINT width, UINT height,
                    GLenum format, GLenum type, void* pPixels);
    // Comes before GL hands back a render target's pixels.
    void BeforeReadBack();
    void CountUpload(std::size_t bytes)
    {
        ++m_Counters.Uploads;
        m_Counters.UploadBytes += UINT(bytes);
    }
    void CountGLError() { ++m_Counters.GLErrors; }
    // Keeps the log of a shader that failed to compile or link, for D3D9GL_GetLastShaderError.
    void RecordShaderFailure(const std::string& log)
    {
        m_LastShaderError = log;
        ++m_ShaderFailures;
    }
    const std::string& GetLastShaderError() const { return m_LastShaderError; }
    UINT GetShaderFailures() const { return m_ShaderFailures; }
    void Register(DeviceChild* pChild) { m_Children.insert(pChild); }
    void Unregister(DeviceChild* pChild) { m_Children.erase(pChild); }
    // Objects that own GL names (the device's own back buffer and depth surface included).
    std::size_t GetLiveObjectCount() const { return m_Children.size(); }
    void OnShaderDestroyed(UINT shaderId);
    bool ClipControl() const { return m_Profile.clipControl; }
    // What the context offers, decided when the device was made.
    const GLProfile_t& Profile() const { return m_Profile; }
    // True (logged) when a test asked for this creation to fail.
    bool RefuseCreation(D3D9GL_CREATION_KIND kind);

    // d3d9gl extensions.
    // Draws what waits to be merged first, so the current counts include it.
    void GetCounters(D3D9GL_COUNTERS* pCurrent, D3D9GL_COUNTERS* pLastFrame);
    void ResetCounters();
    void SetNextShaderName(const char* pName) { m_NextShaderName = pName ? pName : ""; }
    void SetDrawMerging(bool enabled);
    void SetPlainState(bool enabled) { m_PlainState = enabled; }
    void FailCreation(D3D9GL_CREATION_KIND kind, UINT nth) { m_FailCountdown[kind] = nth; }

    // Frame capture (devicecapture.cpp). While a frame is recorded every call that affects
    // drawing goes to Record; otherwise the calls test m_pRecording and go on.
    void RequestCapture(UINT maxCalls);
    const FrameCapture* LastCapture() const { return m_pCapture.get(); }
    HRESULT ReplayTo(UINT index, D3D9GL_PICTURE* pOut);
    bool Recording() const { return m_pRecording != nullptr; }
    void Record(CaptureCall call, std::initializer_list<UINT> args, IUnknown* pObject = nullptr,
                const void* pData = nullptr, std::size_t size = 0);
    // Keeps the buffer's bytes as they were before the frame wrote them.
    void RecordBufferLock(BufferStorage* pBuffer);
    // Keeps the texture's levels as they were before the frame wrote them.
    void RecordTextureWrite(TextureBase* pTexture);

private:
    struct Stream_t
    {
        RefPtr<IDirect3DVertexBuffer9> buffer;
        GLuint glBuffer;
        UINT offset;
        UINT stride;
        UINT frequency;
    };

    struct ConstantBlock_t
    {
        std::vector<uint8_t> bytes;
        bool dirty;
    };

    // Consecutive DrawPrimitiveUP calls under the same state, waiting to be drawn as one.
    // Every setter that changes a value draws the batch first, so the device state is the
    // batch's own until it is drawn.
    struct Batch_t
    {
        UINT draws;
        D3DPRIMITIVETYPE firstType; // the first draw's, drawn natively when it stays alone
        UINT firstPrimitiveCount;
        UINT stride;
        UINT vertexCount;
        std::vector<uint8_t> vertices;
        std::vector<uint16_t> indices; // a triangle list over all draws, from the second on
    };

    // devicebatch.cpp
    void BreakBatch()
    {
        if (m_Batch.draws)
            FlushBatch();
    }
    void FlushBatch();
    // Draws the batch's index list, or a lone fan from the fixed fan list where that has no
    // index list.
    void DrawBatchIndexed(UINT firstVertex);
    // The triangles of a long fan as a list, 0 1 2, 0 2 3, ..., which the index ring keeps at
    // its front: a lone fan draws from it without an upload.
    static std::vector<uint8_t> FanList();
    bool FanListServes() const;
    bool JoinsBatch(D3DPRIMITIVETYPE type, UINT stride, std::size_t vertexCount) const;
    void AppendBatchIndices(D3DPRIMITIVETYPE type, UINT primitiveCount, UINT base);

    // devicecapture.cpp
    void AdvanceCapture();
    // Keeps the contents of a target (its whole texture) as they were before the frame.
    void KeepTargetContents(IUnknown* pSurface);
    void SaveState(DeviceState_t& out) const;
    void LoadState(const DeviceState_t& in);
    // Copies one surface's pixels into another of the same size and format.
    void CopySurface(SurfaceImpl* pSource, SurfaceImpl* pDest);
    void ResetCopies(FrameCapture& capture);
    bool Replay(FrameCapture& capture, UINT lastCall, UINT fillAt, D3DCOLOR fill, ImageSurface& out,
                ImageSurface* pFilled);
    void FillTarget(D3DCOLOR colour, ImageSurface* pFilled);

    // device.cpp
    bool CreateBackBuffer();
    // Blits the back buffer into the box of the window's drawable (width x height), the
    // bars around it black.
    void PresentInto(const Halvex::Base::Letterbox& box, int width, int height);
    void ResetStates();
    // Forgets what GL state was applied, so the next draw or clear specifies all of it.
    void ForgetAppliedState();
    // Where GL has no debug output: counts and logs the errors glGetError holds.
    void CollectGLErrors();

    // devicestate.cpp
    // Logs `message` the first time `kind` comes up on this device; later ones pass silently,
    // so a fault repeated every frame makes one line.
    void ReportOnce(const std::string& kind, int level, const std::string& message);
    // The first time a state d3d9gl does not carry out is set, names it; `bit` is the render
    // state, or RENDER_STATE_MAX plus the sampler state. Later sets cost one bit test.
    void ReportIgnoredState(UINT bit, const char* pName, const char* pKind, DWORD state,
                            DWORD value);
    HRESULT BindRenderTarget(DWORD index, IDirect3DSurface9* pSurface);
    // Binds the draw framebuffer, attaching the targets first when they changed.
    void BindFramebuffer();
    void ApplyFramebuffer();
    // WebGL takes no attachments of different sizes, where Direct3D draws into the top left
    // of a larger depth-stencil surface: on ES a smaller render target gets a depth-stencil
    // buffer of its own size, the fitted buffer. It takes the surface's top left when it is
    // attached (FitDepthStencil returns it, or 0 where the surface is attached itself) and
    // gives it back before the framebuffer changes or the surface is copied.
    GLuint FitDepthStencil();
    void ReturnFittedDepth();
    DepthStencilSurface* FittedFor() const;
    static GLenum DepthAttachment(const DepthStencilSurface& depth);
    void CopyFittedDepth(const DepthStencilSurface& depth, bool intoFitted);
    // Copies the read framebuffer's `mask` buffers over width x height to the draw
    // framebuffer's, whatever the scissor test and write masks.
    void BlitFramebuffers(GLbitfield mask, GLint width, GLint height);
    void ApplyViewport();
    void ApplyRenderStates();
    void ApplyDepthStencil();
    void ApplyBlend();
    // ES stores targets without alpha (X8R8G8B8, R5G6B5, ...) as RGBA: clears write alpha 1
    // and draws leave it alone, so the target reads alpha 1 as Direct3D's does.
    bool AlphaHeldAtOne() const;
    void ApplyRaster();
    void ApplyShaderState();
    void ApplySamplers();
    void ApplySampler(UINT slot);

    // devicedraw.cpp
    // Reports the reason once and returns D3DERR_INVALIDCALL; the frame goes on without the draw.
    HRESULT RefuseDraw(const char* pCall, const std::string& reason);
    bool PrepareDraw();
    // Points the attributes at the streams, moved by baseVertex vertices where the profile
    // has no base-vertex draws (0 where it has). False when that reaches before a buffer.
    bool ApplyVertexInput(UINT& instanceCount, INT baseVertex);
    void DrawElements(GLenum mode, GLsizei count, GLenum type, std::size_t offset,
                      GLsizei instances, INT baseVertex);
    HRESULT Draw(D3DPRIMITIVETYPE type, UINT primitiveCount, bool indexed, INT baseVertex,
                 UINT start);

    // deviceoutline.cpp
    // Wireframe or point fill of a triangle draw where GL has no polygon modes: the edges
    // as lines or the corners as points, from the draw's own vertices (`numbers`, its vertex
    // sequence as VertexNumbers gives it).
    void DrawOutline(D3DPRIMITIVETYPE type, UINT primitiveCount,
                     const std::vector<uint32_t>& numbers, UINT instanceCount);
    // True when the fill mode asks for what the rasteriser cannot do here.
    bool NeedsOutline() const;
    // Draws the vertices `list` names (32-bit indices through the index ring).
    void DrawIndexList(GLenum mode, const std::vector<uint32_t>& list, UINT instanceCount);

    // deviceflat.cpp
    // Flat shading where GL takes the last vertex of each primitive (OpenGL ES, WebGL).
    bool FlatNeedsFirstVertexLast(D3DPRIMITIVETYPE type) const;
    // Draws each line or triangle with Direct3D's first vertex last, the winding kept.
    void DrawFirstVertexLast(D3DPRIMITIVETYPE type, UINT primitiveCount,
                             const std::vector<uint32_t>& numbers, UINT instanceCount);

    // deviceshader.cpp
    bool ApplyProgram();
    // `report`: a failure is logged and kept for D3D9GL_GetLastShaderError.
    GLuint LinkProgram(ShaderCode* pVertex, ShaderCode* pPixel, bool flat, bool report);
    // Links both variants of a pair ahead of its first draw; a pair that does not link is
    // left to that draw, which reports it.
    void PrepareProgram(ShaderCode* pVertex, ShaderCode* pPixel);
    void ApplyConstants();
    // What the shaders emulate for the profile: the swap of D3DCOLOR inputs and, where GL
    // samplers lack them, border colours and LOD biases (the sampler block).
    void ApplyShaderEmulation();
    // Writes one pixel sampler's share of the sampler block; true when it changed.
    bool EmulateSampler(const DWORD* pStates, UINT slot);
    // Appends a uniform block to the constant ring and binds its range.
    void BindConstantBlock(GLuint binding, const void* pData, std::size_t size);
    HRESULT WriteConstants(ShaderStage stage, UINT offset, const void* pData, UINT size);
    HRESULT CreateShader(ShaderStage stage, const DWORD* pFunction, void** ppShader);

    RefPtr<IDirect3D9> m_Direct3D;
    std::unique_ptr<GLSurface> m_Surface;
    GLProfile_t m_Profile;
    D3DPRESENT_PARAMETERS m_Params = {};
    // Mesa's llvmpipe with rasterizer threads sometimes reads a render target back as it was
    // before the latest drawing into it, most often once the target was a blit's source (the
    // back buffer after Present; random call sequences show it, never with rasterization on
    // the calling thread or after glFinish): there, a read-back waits for all drawing.
    bool m_FinishBeforeReadBack = false;
    bool m_InScene = false;
    D3D9GL_COUNTERS m_Counters = {};
    D3D9GL_COUNTERS m_LastFrame = {};
    GLStateCache m_Gl;
    std::unordered_set<DeviceChild*> m_Children;
    std::string m_NextShaderName;
    std::string m_LastShaderError;
    UINT m_ShaderFailures = 0;
    UINT m_FailCountdown[D3D9GL_CREATION_KIND_COUNT] = {};
    std::unordered_set<std::string> m_Reported; // kinds ReportOnce has logged
    std::bitset<RENDER_STATE_MAX + SAMPLER_STATE_MAX> m_ReportedStates;
    D3DCAPS9 m_Caps = {};

    // GL objects of the device itself.
    GLuint m_Vao = 0;
    GLuint m_DrawFbo = 0;
    GLuint m_ReadFbo = 0;
    // The ES depth-stencil buffer of a render target smaller than the depth-stencil surface,
    // the surface whose top left it holds while attached, and the framebuffer that copies
    // between the two.
    GLuint m_FittedDepth = 0;
    UINT m_FittedDepthSize[2] = {0, 0};
    GLenum m_FittedDepthFormat = 0;
    RefPtr<IDirect3DSurface9> m_FittedFor;
    GLuint m_DepthCopyFbo = 0;
    StreamRing m_VertexRing{GL_SLOT_ARRAY, GL_ARRAY_BUFFER};
    StreamRing m_IndexRing{GL_SLOT_ELEMENT_ARRAY, GL_ELEMENT_ARRAY_BUFFER};
    bool m_MergeDraws = true;
    bool m_PlainState = false;
    Batch_t m_Batch = {};
    // The stride the vertex input was last specified for a batch with; 0 once any other
    // draw has specified it.
    UINT m_BatchInputStride = 0;
    // Constant blocks and the state block stream through one ring, bound by range.
    StreamRing m_ConstantRing{GL_SLOT_UNIFORM, GL_UNIFORM_BUFFER};
    std::size_t m_UniformAlignment = 256;
    uint32_t m_ConstantGeneration = 0;
    bool m_ShaderStateDirty = true;
    SamplerCache m_SamplerCache;
    RefPtr<IDirect3DTexture9> m_BackBuffer;
    RefPtr<IDirect3DSurface9> m_AutoDepthStencil;

    // Direct3D state.
    uint32_t m_Dirty = DIRTY_ALL;
    DWORD m_RenderStates[RENDER_STATE_MAX] = {};
    DWORD m_SamplerStates[SAMPLER_SLOT_MAX][SAMPLER_STATE_MAX] = {};
    uint32_t m_DirtySamplers = 0;
    GLuint m_SlotSamplers[SAMPLER_SLOT_MAX] = {}; // 0 until a draw binds one
    RefPtr<IDirect3DBaseTexture9> m_Textures[SAMPLER_SLOT_MAX];
    D3DVIEWPORT9 m_Viewport = {};
    RECT m_ScissorRect = {};
    RefPtr<IDirect3DSurface9> m_RenderTargets[RENDER_TARGET_MAX];
    RefPtr<IDirect3DSurface9> m_DepthStencil;
    Stream_t m_Streams[STREAM_MAX] = {};
    RefPtr<IDirect3DIndexBuffer9> m_Indices;
    RefPtr<IDirect3DVertexDeclaration9> m_Declaration;
    RefPtr<IDirect3DVertexShader9> m_VertexShader;
    RefPtr<IDirect3DPixelShader9> m_PixelShader;
    ConstantBlock_t m_Constants[SHADER_STAGE_MAX];
    ShaderState_t m_ShaderState = {};
    SamplerEmulation_t m_SamplerEmulation = {};
    bool m_SamplerEmulationDirty = false;
    uint32_t m_EnabledAttributes = 0;
    INT m_InputBaseVertex = 0; // the base vertex the attribute pointers include
    GLuint m_CurrentProgram = 0;

    // The capture asked for or being recorded, the one recording (null when off), the last done.
    std::unique_ptr<FrameCapture> m_pNewCapture;
    FrameCapture* m_pRecording = nullptr;
    std::unique_ptr<FrameCapture> m_pCapture;

    // Programs by (vertex shader id, pixel shader id, flat); 0 records a failed link.
    std::unordered_map<uint64_t, GLuint> m_Programs;
    // The vertex shader made last, until a pixel shader made next pairs with it.
    ShaderCode* m_pPairVertex = nullptr;
};

// The vertex numbers of a draw's vertex sequence: the index buffer's entries from `start`, or
// start, start + 1, ... for a draw without indices (pIndices null). False when the indices
// run past the buffer's end.
bool VertexNumbers(const IndexBuffer* pIndices, UINT start, UINT count,
                   std::vector<uint32_t>& numbers);

// The d3d9gl device behind an interface, or null for any other implementation.
Device* ToDevice(IDirect3DDevice9* pDevice);

// An extension's work on the d3d9gl device behind an interface: D3DERR_INVALIDCALL for any
// other implementation, else D3D_OK once `work(device)` is done.
template <class Work> HRESULT OnDevice(IDirect3DDevice9* pDevice, Work work)
{
    Device* pGLDevice = ToDevice(pDevice);
    if (!pGLDevice)
        return D3DERR_INVALIDCALL;
    work(*pGLDevice);
    return D3D_OK;
}

// The device's slot of a Direct3D sampler number (pixel samplers, then vertex samplers), or
// -1 for a number that names no sampler.
int SamplerSlot(DWORD sampler);

// The device's defaults: RENDER_STATE_MAX render states and SAMPLER_STATE_MAX sampler states.
void FillDefaultStates(bool autoDepthStencil, DWORD* pRenderStates, DWORD* pSamplerStates);

} // namespace d3d9gl
