// Frame capture and replay: the device records one whole frame's calls with the state it
// began from, and replays them into copies of the frame's targets and buffers, putting its own
// state back afterwards.

#include "d3d9gl/buffer.h"
#include "d3d9gl/framecapture.h"
#include "d3d9gl/image/surfacecodec.h"
#include "d3d9gl/surface.h"
#include "d3d9gl/texture.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace d3d9gl
{
namespace
{

constexpr UINT DEFAULT_MAX_CALLS = 100000;
constexpr UINT NO_FILL = ~0u;

// The texture a colour target belongs to, or the depth-stencil surface itself.
IUnknown* TargetOwner(IUnknown* pSurface)
{
    if (auto* pTextureSurface = dynamic_cast<TextureSurface*>(pSurface))
        return pTextureSurface->Container()->Interface();
    return dynamic_cast<DepthStencilSurface*>(pSurface);
}

// Calls f(source surface, dest surface) for every surface of two textures made alike, or for
// the two depth-stencil surfaces.
template <class F> void ForEachSurfacePair(IUnknown* pSource, IUnknown* pDest, F f)
{
    TextureBase* pFrom = ToTextureBase(dynamic_cast<IDirect3DBaseTexture9*>(pSource));
    TextureBase* pTo = ToTextureBase(dynamic_cast<IDirect3DBaseTexture9*>(pDest));
    if (!pFrom || !pTo)
    {
        f(dynamic_cast<SurfaceImpl*>(pSource), dynamic_cast<SurfaceImpl*>(pDest));
        return;
    }
    for (UINT face = 0; face < pFrom->FaceCount(); ++face)
    {
        for (UINT level = 0; level < pFrom->Desc().levels; ++level)
            f(pFrom->Surface(face, level), pTo->Surface(face, level));
    }
}

// A texture made like pTexture, in `pool`.
RefPtr<IUnknown> MakeTextureLike(Device& device, TextureBase* pTexture, D3DPOOL pool)
{
    const TextureDesc_t& d = pTexture->Desc();
    if (d.type == D3DRTYPE_CUBETEXTURE)
    {
        IDirect3DCubeTexture9* pCube = nullptr;
        device.CreateCubeTexture(d.width, d.levels, d.usage, d.format, pool, &pCube, nullptr);
        return RefPtr<IUnknown>::Adopt(pCube);
    }
    if (d.type == D3DRTYPE_VOLUMETEXTURE)
    {
        IDirect3DVolumeTexture9* pVolume = nullptr;
        device.CreateVolumeTexture(d.width, d.height, d.depth, d.levels, d.usage, d.format, pool,
                                   &pVolume, nullptr);
        return RefPtr<IUnknown>::Adopt(pVolume);
    }
    IDirect3DTexture9* pMade = nullptr;
    device.CreateTexture(d.width, d.height, d.levels, d.usage, d.format, pool, &pMade, nullptr);
    return RefPtr<IUnknown>::Adopt(pMade);
}

// A new target made like pOriginal (a render-target texture or a depth-stencil surface).
RefPtr<IUnknown> MakeTargetLike(Device& device, IUnknown* pOriginal)
{
    if (TextureBase* pTexture = ToTextureBase(dynamic_cast<IDirect3DBaseTexture9*>(pOriginal)))
        return MakeTextureLike(device, pTexture, D3DPOOL_DEFAULT);
    auto* pDepth = dynamic_cast<DepthStencilSurface*>(pOriginal);
    IDirect3DSurface9* pMade = nullptr;
    if (pDepth)
        device.CreateDepthStencilSurface(pDepth->Width(), pDepth->Height(), pDepth->Format(),
                                         D3DMULTISAMPLE_NONE, 0, FALSE, &pMade, nullptr);
    return RefPtr<IUnknown>::Adopt(pMade);
}

// The copies a replay uses in place of the frame's own targets and buffers.
class Redirect
{
public:
    explicit Redirect(const FrameCapture& capture) : m_Capture(capture) {}

    IUnknown* Object(IUnknown* pObject) const
    {
        for (const FrameCapture::TargetCopy_t& target : m_Capture.targets)
        {
            if (target.original.Get() == pObject)
                return target.working.Get();
        }
        for (const FrameCapture::BufferCopy_t& buffer : m_Capture.buffers)
        {
            if (buffer.original.Get() == pObject)
                return buffer.working.Get();
        }
        for (const FrameCapture::TextureCopy_t& texture : m_Capture.textures)
        {
            if (texture.original.Get() == pObject)
                return texture.working.Get();
        }
        return pObject;
    }

    IDirect3DSurface9* Surface(IUnknown* pSurface) const
    {
        auto* pTextureSurface = dynamic_cast<TextureSurface*>(pSurface);
        if (!pTextureSurface)
            return static_cast<IDirect3DSurface9*>(dynamic_cast<SurfaceImpl*>(Object(pSurface)));
        TextureBase* pFrom = pTextureSurface->Container();
        TextureBase* pTo =
            ToTextureBase(dynamic_cast<IDirect3DBaseTexture9*>(Object(pFrom->Interface())));
        for (UINT face = 0; pTo && face < pFrom->FaceCount(); ++face)
        {
            for (UINT level = 0; level < pFrom->Desc().levels; ++level)
            {
                if (pFrom->Surface(face, level) == pTextureSurface)
                    return pTo->Surface(face, level);
            }
        }
        return pTextureSurface;
    }

    template <class T> T* As(IUnknown* pObject) const { return dynamic_cast<T*>(Object(pObject)); }

private:
    const FrameCapture& m_Capture;
};

HRESULT WriteBuffer(BufferStorage* pBuffer, UINT offset, const void* pData, UINT size)
{
    void* pBits = nullptr;
    if (!pBuffer || FAILED(pBuffer->LockRange(offset, size, &pBits, 0)))
        return D3DERR_INVALIDCALL;
    std::memcpy(pBits, pData, size);
    return pBuffer->UnlockRange();
}

HRESULT WriteTexture(TextureBase* pTexture, UINT face, UINT level, const void* pData, UINT size)
{
    ImageSurface pixels;
    if (!pTexture ||
        !MakeSurface(pTexture->Desc().format, pTexture->LevelWidth(level),
                     pTexture->LevelHeight(level), pTexture->LevelDepth(level), pixels) ||
        pixels.bytes.size() != size)
        return D3DERR_INVALIDCALL;
    std::memcpy(pixels.bytes.data(), pData, size);
    return pTexture->WriteLevel(face, level, pixels) ? D3D_OK : D3DERR_INVALIDCALL;
}

RefPtr<IUnknown> MakeBufferLike(Device& device, BufferStorage* pBuffer)
{
    if (auto* pIndices = dynamic_cast<IndexBuffer*>(pBuffer))
    {
        IDirect3DIndexBuffer9* pMade = nullptr;
        device.CreateIndexBuffer(pBuffer->Length(), pBuffer->Usage(), pIndices->Format(),
                                 D3DPOOL_DEFAULT, &pMade, nullptr);
        return RefPtr<IUnknown>::Adopt(pMade);
    }
    IDirect3DVertexBuffer9* pMade = nullptr;
    device.CreateVertexBuffer(pBuffer->Length(), pBuffer->Usage(), 0, D3DPOOL_DEFAULT, &pMade,
                              nullptr);
    return RefPtr<IUnknown>::Adopt(pMade);
}

// a: stage (vertex 0, pixel 1), start register, count.
HRESULT SetConstants(Device& device, CaptureCall call, const UINT* a, const void* pData)
{
    const bool vertex = a[0] == 0;
    switch (call)
    {
    case CaptureCall::ConstantF:
        return vertex
                   ? device.SetVertexShaderConstantF(a[1], static_cast<const float*>(pData), a[2])
                   : device.SetPixelShaderConstantF(a[1], static_cast<const float*>(pData), a[2]);
    case CaptureCall::ConstantI:
        return vertex ? device.SetVertexShaderConstantI(a[1], static_cast<const int*>(pData), a[2])
                      : device.SetPixelShaderConstantI(a[1], static_cast<const int*>(pData), a[2]);
    case CaptureCall::ConstantB:
        return vertex ? device.SetVertexShaderConstantB(a[1], static_cast<const BOOL*>(pData), a[2])
                      : device.SetPixelShaderConstantB(a[1], static_cast<const BOOL*>(pData), a[2]);
    default:
        return D3D_OK;
    }
}

HRESULT Execute(Device& device, const FrameCapture& capture, const CapturedCall_t& call,
                const Redirect& redirect)
{
    const UINT* a = call.args;
    const void* pData = capture.data.data() + call.dataOffset;
    float depth = 0.0f;
    switch (call.call)
    {
    case CaptureCall::RenderState:
        return device.SetRenderState(D3DRENDERSTATETYPE(a[0]), a[1]);
    case CaptureCall::SamplerState:
        return device.SetSamplerState(a[0], D3DSAMPLERSTATETYPE(a[1]), a[2]);
    case CaptureCall::Texture:
        return device.SetTexture(a[0], redirect.As<IDirect3DBaseTexture9>(call.pObject));
    case CaptureCall::VertexShader:
        return device.SetVertexShader(dynamic_cast<IDirect3DVertexShader9*>(call.pObject));
    case CaptureCall::PixelShader:
        return device.SetPixelShader(dynamic_cast<IDirect3DPixelShader9*>(call.pObject));
    case CaptureCall::ConstantF:
    case CaptureCall::ConstantI:
    case CaptureCall::ConstantB:
        return SetConstants(device, call.call, a, pData);
    case CaptureCall::StreamSource:
        return device.SetStreamSource(a[0], redirect.As<IDirect3DVertexBuffer9>(call.pObject), a[1],
                                      a[2]);
    case CaptureCall::StreamFreq:
        return device.SetStreamSourceFreq(a[0], a[1]);
    case CaptureCall::Indices:
        return device.SetIndices(redirect.As<IDirect3DIndexBuffer9>(call.pObject));
    case CaptureCall::Declaration:
        return device.SetVertexDeclaration(
            dynamic_cast<IDirect3DVertexDeclaration9*>(call.pObject));
    case CaptureCall::Viewport:
        return device.SetViewport(static_cast<const D3DVIEWPORT9*>(pData));
    case CaptureCall::Scissor:
        return device.SetScissorRect(static_cast<const RECT*>(pData));
    case CaptureCall::RenderTarget:
        return device.SetRenderTarget(a[0], redirect.Surface(call.pObject));
    case CaptureCall::DepthStencil:
        return device.SetDepthStencilSurface(redirect.Surface(call.pObject));
    case CaptureCall::Clear:
        std::memcpy(&depth, &a[3], sizeof(depth));
        return device.Clear(a[0], a[0] ? static_cast<const D3DRECT*>(pData) : nullptr, a[1], a[2],
                            depth, a[4]);
    case CaptureCall::Draw:
        return device.DrawPrimitive(D3DPRIMITIVETYPE(a[0]), a[1], a[2]);
    case CaptureCall::DrawIndexed:
        return device.DrawIndexedPrimitive(D3DPRIMITIVETYPE(a[0]), INT(a[1]), a[2], a[3], a[4],
                                           a[5]);
    case CaptureCall::DrawUP:
        return device.DrawPrimitiveUP(D3DPRIMITIVETYPE(a[0]), a[1], pData, a[2]);
    case CaptureCall::BufferUpdate:
        return WriteBuffer(redirect.As<BufferStorage>(call.pObject), a[0], pData, call.dataSize);
    case CaptureCall::TextureUpdate:
        return WriteTexture(redirect.As<TextureBase>(call.pObject), a[0], a[1], pData,
                            call.dataSize);
    default:
        return D3D_OK;
    }
}

} // namespace

// ---- Recording --------------------------------------------------------------------------

void Device::RequestCapture(UINT maxCalls)
{
    if (!m_pNewCapture)
        m_pNewCapture = std::make_unique<FrameCapture>(maxCalls ? maxCalls : DEFAULT_MAX_CALLS);
}

void Device::Record(CaptureCall call, std::initializer_list<UINT> args, IUnknown* pObject,
                    const void* pData, std::size_t size)
{
    if (call == CaptureCall::RenderTarget || call == CaptureCall::DepthStencil)
        KeepTargetContents(pObject);
    if (!m_pRecording->Add(call, args, pObject, pData, size))
        m_pRecording = nullptr;
}

void Device::KeepTargetContents(IUnknown* pSurface)
{
    FrameCapture& capture = *m_pRecording;
    IUnknown* pOwner = TargetOwner(pSurface);
    const bool known = std::any_of(capture.targets.begin(), capture.targets.end(),
                                   [&](const auto& copy) { return copy.original.Get() == pOwner; });
    RefPtr<IUnknown> before = pOwner && !known ? MakeTargetLike(*this, pOwner) : RefPtr<IUnknown>();
    if (!before)
        return;
    ForEachSurfacePair(pOwner, before.Get(),
                       [this](SurfaceImpl* pFrom, SurfaceImpl* pTo) { CopySurface(pFrom, pTo); });
    capture.targets.push_back({RefPtr<IUnknown>(pOwner), before, RefPtr<IUnknown>()});
}

void Device::RecordBufferLock(BufferStorage* pBuffer)
{
    FrameCapture& capture = *m_pRecording;
    for (const FrameCapture::BufferCopy_t& buffer : capture.buffers)
    {
        if (buffer.pStorage == pBuffer)
            return;
    }
    capture.buffers.push_back({RefPtr<IUnknown>(dynamic_cast<IUnknown*>(pBuffer)), pBuffer,
                               pBuffer->Data(), RefPtr<IUnknown>()});
}

void Device::RecordTextureWrite(TextureBase* pTexture)
{
    FrameCapture& capture = *m_pRecording;
    IUnknown* pInterface = pTexture->Interface();
    for (const FrameCapture::TextureCopy_t& texture : capture.textures)
    {
        if (texture.original.Get() == pInterface)
            return;
    }
    FrameCapture::TextureCopy_t copy = {RefPtr<IUnknown>(pInterface), {}, RefPtr<IUnknown>()};
    copy.before.resize(pTexture->FaceCount() * pTexture->Desc().levels);
    for (UINT face = 0; face < pTexture->FaceCount(); ++face)
    {
        for (UINT level = 0; level < pTexture->Desc().levels; ++level)
            pTexture->ReadLevel(face, level, copy.before[face * pTexture->Desc().levels + level]);
    }
    capture.textures.push_back(std::move(copy));
}

// Called at the end of every Present while a capture is asked for or recorded: the frame that
// Present begins is recorded, the one it ends is finished.
void Device::AdvanceCapture()
{
    FrameCapture& capture = *m_pNewCapture;
    if (capture.phase == FrameCapture::Phase::Waiting)
    {
        BreakBatch();
        SaveState(capture.start);
        capture.phase = FrameCapture::Phase::Recording;
        m_pRecording = &capture;
        for (const RefPtr<IDirect3DSurface9>& target : capture.start.targets)
            KeepTargetContents(target.Get());
        KeepTargetContents(capture.start.depthStencil.Get());
        return;
    }
    m_pRecording = nullptr;
    DWORD renderDefaults[RENDER_STATE_MAX];
    DWORD samplerDefaults[SAMPLER_STATE_MAX];
    FillDefaultStates(m_Params.EnableAutoDepthStencil != FALSE, renderDefaults, samplerDefaults);
    capture.BuildEvents(renderDefaults, samplerDefaults, m_BackBuffer.Get());
    capture.phase = FrameCapture::Phase::Done;
    capture.serial = m_pCapture ? m_pCapture->serial + 1 : 1;
    m_pCapture = std::move(m_pNewCapture);
}

// ---- State ------------------------------------------------------------------------------

void Device::SaveState(DeviceState_t& out) const
{
    std::memcpy(out.renderStates, m_RenderStates, sizeof(m_RenderStates));
    std::memcpy(out.samplerStates, m_SamplerStates, sizeof(m_SamplerStates));
    std::copy(std::begin(m_Textures), std::end(m_Textures), out.textures);
    out.viewport = m_Viewport;
    out.scissor = m_ScissorRect;
    std::copy(std::begin(m_RenderTargets), std::end(m_RenderTargets), out.targets);
    out.depthStencil = m_DepthStencil;
    for (UINT i = 0; i < STREAM_MAX; ++i)
        out.streams[i] = {m_Streams[i].buffer, m_Streams[i].offset, m_Streams[i].stride,
                          m_Streams[i].frequency};
    out.indices = m_Indices;
    out.declaration = m_Declaration;
    out.vertexShader = m_VertexShader;
    out.pixelShader = m_PixelShader;
    for (UINT stage = 0; stage < SHADER_STAGE_MAX; ++stage)
        out.constants[stage] = m_Constants[stage].bytes;
}

void Device::LoadState(const DeviceState_t& in)
{
    BreakBatch();
    std::memcpy(m_RenderStates, in.renderStates, sizeof(m_RenderStates));
    std::memcpy(m_SamplerStates, in.samplerStates, sizeof(m_SamplerStates));
    std::copy(std::begin(in.textures), std::end(in.textures), m_Textures);
    m_Viewport = in.viewport;
    m_ScissorRect = in.scissor;
    std::copy(std::begin(in.targets), std::end(in.targets), m_RenderTargets);
    m_DepthStencil = in.depthStencil;
    for (UINT i = 0; i < STREAM_MAX; ++i)
    {
        const DeviceState_t::Stream_t& stream = in.streams[i];
        auto* pBuffer = static_cast<VertexBuffer*>(stream.buffer.Get());
        m_Streams[i] = {stream.buffer, pBuffer ? pBuffer->Name() : 0, stream.offset, stream.stride,
                        stream.frequency};
    }
    m_Indices = in.indices;
    m_Declaration = in.declaration;
    m_VertexShader = in.vertexShader;
    m_PixelShader = in.pixelShader;
    for (UINT stage = 0; stage < SHADER_STAGE_MAX; ++stage)
    {
        if (in.constants[stage].size() == m_Constants[stage].bytes.size())
            m_Constants[stage].bytes = in.constants[stage];
        m_Constants[stage].dirty = true;
    }
    // Everything is applied again at the next draw.
    m_DirtySamplers = (1u << SAMPLER_SLOT_MAX) - 1;
    m_ShaderState = {-1.0f, -1.0f, -1.0f, -1.0f};
    m_SamplerEmulationDirty = !m_Profile.samplerExtras;
    m_BatchInputStride = 0;
    m_Dirty = DIRTY_ALL;
}

void Device::CopySurface(SurfaceImpl* pSource, SurfaceImpl* pDest)
{
    if (!pSource || !pDest)
        return;
    Activate();
    BreakBatch();
    // A surface's top left may be held by the fitted buffer of a smaller target.
    ReturnFittedDepth();
    const bool depth = pSource->IsDepthStencil();
    const GLenum attachment = depth ? GL_DEPTH_STENCIL_ATTACHMENT : GL_COLOR_ATTACHMENT0;
    for (GLuint framebuffer : {m_ReadFbo, m_DrawFbo})
    {
        m_Gl.BindDrawFramebuffer(framebuffer);
        for (UINT i = 0; i < RENDER_TARGET_MAX; ++i)
            glFramebufferTexture2D(GL_DRAW_FRAMEBUFFER, GL_COLOR_ATTACHMENT0 + i, GL_TEXTURE_2D, 0,
                                   0);
        glFramebufferRenderbuffer(GL_DRAW_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER,
                                  0);
        (framebuffer == m_ReadFbo ? pSource : pDest)->Attach(attachment);
        const GLenum buffer = depth ? GL_NONE : GL_COLOR_ATTACHMENT0;
        glDrawBuffers(1, &buffer);
    }
    m_Gl.BindReadFramebuffer(m_ReadFbo);
    glReadBuffer(depth ? GL_NONE : GL_COLOR_ATTACHMENT0);
    BlitFramebuffers(depth ? GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT : GL_COLOR_BUFFER_BIT,
                     GLint(pSource->Width()), GLint(pSource->Height()));
    // The read framebuffer is left reading colour attachment 0 with no depth attachment, as
    // its other users expect (Mesa's ES glReadPixels crashes where the read buffer is none).
    glReadBuffer(GL_COLOR_ATTACHMENT0);
    glFramebufferRenderbuffer(GL_READ_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER, 0);
    m_Dirty |= DIRTY_FRAMEBUFFER;
}

// ---- Replay -----------------------------------------------------------------------------

// Makes the copies of the frame's targets, buffers and textures on first use and gives them
// back the contents they had before the frame.
void Device::ResetCopies(FrameCapture& capture)
{
    for (FrameCapture::TargetCopy_t& target : capture.targets)
    {
        if (!target.working)
            target.working = MakeTargetLike(*this, target.original.Get());
        ForEachSurfacePair(target.before.Get(), target.working.Get(),
                           [this](SurfaceImpl* pFrom, SurfaceImpl* pTo)
                           { CopySurface(pFrom, pTo); });
    }
    for (FrameCapture::BufferCopy_t& buffer : capture.buffers)
    {
        if (!buffer.working)
            buffer.working = MakeBufferLike(*this, buffer.pStorage);
        WriteBuffer(dynamic_cast<BufferStorage*>(buffer.working.Get()), 0, buffer.before.data(),
                    UINT(buffer.before.size()));
    }
    for (FrameCapture::TextureCopy_t& texture : capture.textures)
    {
        TextureBase* pOriginal =
            ToTextureBase(static_cast<IDirect3DBaseTexture9*>(texture.original.Get()));
        if (!texture.working)
            texture.working = MakeTextureLike(*this, pOriginal, D3DPOOL_MANAGED);
        TextureBase* pCopy =
            ToTextureBase(dynamic_cast<IDirect3DBaseTexture9*>(texture.working.Get()));
        const UINT levels = pOriginal->Desc().levels;
        for (UINT i = 0; pCopy && i < texture.before.size(); ++i)
            pCopy->WriteLevel(i / levels, i % levels, texture.before[i]);
    }
}

// Replays calls 0 to lastCall into the copies and reads the colour target the last one left;
// before call fillAt the target in force is filled with `fill` and read into *pFilled.
bool Device::Replay(FrameCapture& capture, UINT lastCall, UINT fillAt, D3DCOLOR fill,
                    ImageSurface& out, ImageSurface* pFilled)
{
    ResetCopies(capture);
    const Redirect redirect(capture);
    DeviceState_t start = capture.start;
    for (RefPtr<IDirect3DBaseTexture9>& texture : start.textures)
        texture = RefPtr<IDirect3DBaseTexture9>(redirect.As<IDirect3DBaseTexture9>(texture.Get()));
    for (RefPtr<IDirect3DSurface9>& target : start.targets)
        target = RefPtr<IDirect3DSurface9>(redirect.Surface(target.Get()));
    start.depthStencil = RefPtr<IDirect3DSurface9>(redirect.Surface(start.depthStencil.Get()));
    for (DeviceState_t::Stream_t& stream : start.streams)
        stream.buffer = RefPtr<IDirect3DVertexBuffer9>(
            redirect.As<IDirect3DVertexBuffer9>(stream.buffer.Get()));
    start.indices =
        RefPtr<IDirect3DIndexBuffer9>(redirect.As<IDirect3DIndexBuffer9>(start.indices.Get()));
    LoadState(start);
    for (UINT index = 0; index <= lastCall && index < capture.calls.size(); ++index)
    {
        if (index == fillAt)
            FillTarget(fill, pFilled);
        Execute(*this, capture, capture.calls[index], redirect);
    }
    BreakBatch();
    auto* pTarget = static_cast<SurfaceImpl*>(m_RenderTargets[0].Get());
    return pTarget && pTarget->Read(out);
}

void Device::FillTarget(D3DCOLOR colour, ImageSurface* pFilled)
{
    DeviceState_t state;
    SaveState(state);
    auto* pTarget = static_cast<SurfaceImpl*>(m_RenderTargets[0].Get());
    const D3DVIEWPORT9 whole = {0, 0, pTarget->Width(), pTarget->Height(), 0.0f, 1.0f};
    SetViewport(&whole);
    SetRenderState(D3DRS_SCISSORTESTENABLE, FALSE);
    SetRenderState(D3DRS_COLORWRITEENABLE, 0xF);
    Clear(0, nullptr, D3DCLEAR_TARGET, colour, 0.0f, 0);
    LoadState(state);
    pTarget->Read(*pFilled);
}

namespace
{

bool ToRgba8(D3DFORMAT format, const ImageSurface& surface, std::vector<BYTE>& rgba)
{
    std::vector<float> values;
    if (!DecodeSurface(format, surface, values))
        return false;
    // A one-channel target reads as (R, 1, 1, 1); it is shown as grey, as a depth map is seen.
    if (format == D3DFMT_R16F || format == D3DFMT_R32F)
        for (std::size_t i = 0; i + 3 < values.size(); i += 4)
            values[i + 1] = values[i + 2] = values[i];
    rgba.resize(values.size());
    for (std::size_t i = 0; i < values.size(); ++i)
        rgba[i] = BYTE(std::lround(std::clamp(values[i], 0.0f, 1.0f) * 255.0f));
    return true;
}

// 1 where the event's result differs from what the target held before it, under either of
// two fills: a pixel the event wrote differs from at least one of them.
std::vector<BYTE> WrittenPixels(const ImageSurface& afterA, const ImageSurface& filledA,
                                const ImageSurface& afterB, const ImageSurface& filledB)
{
    const std::size_t pixels = std::size_t(afterA.width) * afterA.height;
    std::vector<BYTE> written(pixels, 0);
    const std::size_t size = pixels ? afterA.bytes.size() / pixels : 0;
    if (filledA.bytes.size() != afterA.bytes.size() || afterB.bytes.size() != afterA.bytes.size() ||
        filledB.bytes.size() != afterA.bytes.size())
        return written;
    for (std::size_t i = 0; i < pixels; ++i)
    {
        const std::size_t at = i * size;
        written[i] = std::memcmp(&afterA.bytes[at], &filledA.bytes[at], size) != 0 ||
                     std::memcmp(&afterB.bytes[at], &filledB.bytes[at], size) != 0;
    }
    return written;
}

} // namespace

HRESULT Device::ReplayTo(UINT index, D3D9GL_PICTURE* pOut)
{
    if (!pOut || !m_pCapture || index >= m_pCapture->events.size())
        return m_pCapture ? D3DERR_INVALIDCALL : D3DERR_NOTFOUND;
    FrameCapture& capture = *m_pCapture;
    Activate();
    BreakBatch();
    FrameCapture* pRecording = std::exchange(m_pRecording, nullptr);
    DeviceState_t saved;
    SaveState(saved);
    const UINT first = capture.eventFirstCall[index];
    const UINT last = capture.eventLastCall[index];
    ImageSurface picture, afterA, filledA, afterB, filledB;
    bool ok = Replay(capture, last, NO_FILL, 0, picture, nullptr);
    const D3DFORMAT format = static_cast<SurfaceImpl*>(m_RenderTargets[0].Get())->Format();
    const bool marks = capture.events[index].kind != D3D9GL_EVENT::TARGET_CHANGE;
    ok = ok && (!marks || (Replay(capture, last, first, 0x00000000u, afterA, &filledA) &&
                           Replay(capture, last, first, 0xFFFFFFFFu, afterB, &filledB)));
    LoadState(saved);
    m_pRecording = pRecording;
    if (!ok || !ToRgba8(format, picture, pOut->rgba))
        return D3DERR_INVALIDCALL;
    pOut->width = picture.width;
    pOut->height = picture.height;
    pOut->written = marks ? WrittenPixels(afterA, filledA, afterB, filledB)
                          : std::vector<BYTE>(std::size_t(picture.width) * picture.height, 0);
    return D3D_OK;
}

} // namespace d3d9gl

// ---- d3d9gl extensions ------------------------------------------------------------------

HRESULT D3D9GL_BeginEvent(IDirect3DDevice9* pDevice, const char* pName)
{
    d3d9gl::Device* pGLDevice = d3d9gl::ToDevice(pDevice);
    if (!pGLDevice)
        return D3DERR_INVALIDCALL;
    const char* pText = pName ? pName : "";
    if (pGLDevice->Recording())
        pGLDevice->Record(d3d9gl::CaptureCall::BeginGroup, {}, nullptr, pText, std::strlen(pText));
    return D3D_OK;
}

HRESULT D3D9GL_EndEvent(IDirect3DDevice9* pDevice)
{
    return d3d9gl::OnDevice(pDevice,
                            [](d3d9gl::Device& device)
                            {
                                if (device.Recording())
                                    device.Record(d3d9gl::CaptureCall::EndGroup, {});
                            });
}

HRESULT D3D9GL_SetTextureName(IDirect3DBaseTexture9* pTexture, const char* pName)
{
    d3d9gl::TextureBase* pBase = d3d9gl::ToTextureBase(pTexture);
    if (!pBase)
        return D3DERR_INVALIDCALL;
    pBase->SetDebugName(pName);
    return D3D_OK;
}

HRESULT D3D9GL_RequestCapture(IDirect3DDevice9* pDevice, UINT maxCalls)
{
    return d3d9gl::OnDevice(pDevice,
                            [&](d3d9gl::Device& device) { device.RequestCapture(maxCalls); });
}

HRESULT D3D9GL_GetCapture(IDirect3DDevice9* pDevice, D3D9GL_CAPTURE_INFO* pInfo)
{
    d3d9gl::Device* pGLDevice = d3d9gl::ToDevice(pDevice);
    if (!pGLDevice || !pInfo)
        return D3DERR_INVALIDCALL;
    const d3d9gl::FrameCapture* pCapture = pGLDevice->LastCapture();
    if (!pCapture)
        return D3DERR_NOTFOUND;
    pInfo->pEvents = &pCapture->events;
    pInfo->message = pCapture->message;
    pInfo->serial = pCapture->serial;
    pInfo->calls = UINT(pCapture->calls.size());
    pInfo->bytes = UINT(pCapture->ByteSize());
    return D3D_OK;
}

HRESULT D3D9GL_ReplayTo(IDirect3DDevice9* pDevice, UINT index, D3D9GL_PICTURE* pOut)
{
    d3d9gl::Device* pGLDevice = d3d9gl::ToDevice(pDevice);
    return pGLDevice ? pGLDevice->ReplayTo(index, pOut) : D3DERR_INVALIDCALL;
}
