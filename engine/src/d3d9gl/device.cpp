#include "d3d9gl/device.h"
#include "d3d9gl/framecapture.h"

#include "base/source/system/logger.h"
#include "d3d9gl/devicechild.h"
#include "d3d9gl/surface.h"
#include "d3d9gl/texture.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace d3d9gl
{
namespace
{

using Halvex::Base::Log;
using Halvex::Base::LOG_LEVEL_ERROR;

void OnGLError(void* pDevice, const char* pMessage)
{
    static_cast<Device*>(pDevice)->CountGLError();
    Log(LOG_MODULE, LOG_LEVEL_ERROR, "GL error: %s", pMessage);
}

int SwapInterval(UINT presentationInterval)
{
    switch (presentationInterval)
    {
    case D3DPRESENT_INTERVAL_IMMEDIATE:
        return 0;
    case D3DPRESENT_INTERVAL_TWO:
        return 2;
    case D3DPRESENT_INTERVAL_THREE:
        return 3;
    case D3DPRESENT_INTERVAL_FOUR:
        return 4;
    default:
        return 1;
    }
}

GLint GetInteger(GLenum name)
{
    GLint value = 0;
    glGetIntegerv(name, &value);
    return value;
}

// Room for a few frames of user-pointer vertices and their merged indices before the
// rings wrap and orphan their storage.
constexpr std::size_t VERTEX_RING_BYTES = 4u << 20;
constexpr std::size_t INDEX_RING_BYTES = 1u << 20;
constexpr std::size_t CONSTANT_RING_BYTES = 4u << 20;

// Capabilities from the GL limits.
void ReadCaps(const GLProfile_t& profile, D3DCAPS9& caps)
{
    caps.DeviceType = D3DDEVTYPE_HAL;
    caps.MaxTextureWidth = caps.MaxTextureHeight = DWORD(GetInteger(GL_MAX_TEXTURE_SIZE));
    caps.MaxVolumeExtent = DWORD(GetInteger(GL_MAX_3D_TEXTURE_SIZE));
    caps.MaxTextureAspectRatio = caps.MaxTextureWidth;
    caps.MaxTextureRepeat = 8192;
    caps.MaxAnisotropy = 1;
    if (profile.anisotropy)
    {
        GLfloat anisotropy = 1.0f;
        glGetFloatv(GL_MAX_TEXTURE_MAX_ANISOTROPY_EXT, &anisotropy);
        caps.MaxAnisotropy = DWORD(anisotropy);
    }
    // GL bounds a draw by its index range only: 32-bit indices up to GL_MAX_ELEMENT_INDEX.
    const DWORD maxIndex =
        profile.es || profile.version >= 43 ? DWORD(GetInteger(GL_MAX_ELEMENT_INDEX)) : 0x00FFFFFFu;
    caps.MaxVertexIndex = maxIndex;
    caps.MaxPrimitiveCount = maxIndex;
    caps.MaxStreams = std::min<DWORD>(STREAM_MAX, DWORD(GetInteger(GL_MAX_VERTEX_ATTRIBS)));
    // WebGL 2 allows strides up to 255 bytes.
    caps.MaxStreamStride = profile.es              ? 255
                           : profile.version >= 44 ? DWORD(GetInteger(GL_MAX_VERTEX_ATTRIB_STRIDE))
                                                   : 2048;
    GLfloat pointSizes[2] = {1.0f, 1.0f};
    glGetFloatv(profile.es ? GL_ALIASED_POINT_SIZE_RANGE : GL_POINT_SIZE_RANGE, pointSizes);
    caps.MaxPointSize = pointSizes[1];
    // Caps without a GL limit behind them report what this layer itself provides: shader
    // model 3.0 (GLSL 3.30 under the register model of the preamble), the preamble's 256
    // vertex float registers, the eight fixed-function texture stages of Direct3D 9 (no GLSL
    // program uses them) and shader model 3.0's instruction counts.
    caps.VertexShaderVersion = D3DVS_VERSION(3, 0);
    caps.PixelShaderVersion = D3DPS_VERSION(3, 0);
    caps.MaxVertexShaderConst = VERTEX_FLOAT_CONSTANT_MAX;
    caps.NumSimultaneousRTs =
        std::min<DWORD>(RENDER_TARGET_MAX, DWORD(GetInteger(GL_MAX_DRAW_BUFFERS)));
    caps.MaxSimultaneousTextures = 8;
    caps.MaxTextureBlendStages = 8;
    caps.MaxUserClipPlanes = 0;
    caps.NumberOfAdaptersInGroup = 1;
    caps.PresentationIntervals = D3DPRESENT_INTERVAL_IMMEDIATE | D3DPRESENT_INTERVAL_ONE;
    caps.MaxVShaderInstructionsExecuted = 65535;
    caps.MaxPShaderInstructionsExecuted = 65535;
    caps.MaxVertexShader30InstructionSlots = 32768;
    caps.MaxPixelShader30InstructionSlots = 32768;
}

} // namespace

Device* ToDevice(IDirect3DDevice9* pDevice)
{
    return dynamic_cast<Device*>(pDevice);
}

Device::Device(IDirect3D9* pDirect3D, std::unique_ptr<GLSurface> surface)
    : m_Direct3D(pDirect3D), m_Surface(std::move(surface)), m_Profile(glplatform::DetectProfile()),
      m_Gl(&m_Counters.StateChanges)
{
    const char* pNoMerge = std::getenv("D3D9GL_NO_MERGE");
    m_MergeDraws = !(pNoMerge && std::strcmp(pNoMerge, "1") == 0);
}

Device::~Device()
{
    Activate();
    m_pRecording = nullptr;
    m_pNewCapture.reset();
    m_pCapture.reset();
    for (RefPtr<IDirect3DBaseTexture9>& texture : m_Textures)
        texture.Reset();
    for (RefPtr<IDirect3DSurface9>& target : m_RenderTargets)
        target.Reset();
    for (Stream_t& stream : m_Streams)
        stream.buffer.Reset();
    m_DepthStencil.Reset();
    m_FittedFor.Reset();
    m_Indices.Reset();
    m_Declaration.Reset();
    m_VertexShader.Reset();
    m_PixelShader.Reset();
    m_BackBuffer.Reset();
    m_AutoDepthStencil.Reset();

    // Whatever the application still holds gives up its GL objects now: a leak of the
    // application's, reported once.
    if (!m_Children.empty())
    {
        std::map<std::string, int> kinds;
        for (const DeviceChild* pChild : m_Children)
            ++kinds[pChild->GetKind()];
        std::string list;
        for (const auto& [kind, count] : kinds)
            list += (list.empty() ? "" : ", ") + std::to_string(count) + " " + kind;
        Halvex::Base::Log(LOG_MODULE, Halvex::Base::LOG_LEVEL_ERROR,
                          "%zu objects were still alive when the device was released (%s)",
                          m_Children.size(), list.c_str());
    }
    std::vector<DeviceChild*> children(m_Children.begin(), m_Children.end());
    for (DeviceChild* pChild : children)
    {
        pChild->ReleaseGL();
        pChild->DetachFromDevice();
    }
    for (auto& entry : m_Programs)
    {
        if (entry.second)
            glDeleteProgram(entry.second);
    }
    m_SamplerCache.Release();
    m_ConstantRing.Release(m_Gl);
    m_VertexRing.Release(m_Gl);
    m_IndexRing.Release(m_Gl);
    glDeleteFramebuffers(1, &m_DrawFbo);
    glDeleteFramebuffers(1, &m_ReadFbo);
    glDeleteRenderbuffers(1, &m_FittedDepth);
    glDeleteFramebuffers(1, &m_DepthCopyFbo);
    glDeleteVertexArrays(1, &m_Vao);
}

void Device::Activate()
{
    m_Surface->MakeCurrent();
    BreakBatch();
}

bool Device::Initialize(const D3DPRESENT_PARAMETERS& params)
{
    Activate();
    m_Params = params;
    // Direct3D's clip space (depth 0..1, row 0 at the top) where GL offers it; otherwise
    // the vertex epilogue remaps depth and flips y, which also flips the winding. Front
    // faces are the ones Direct3D calls clockwise.
    glplatform::SetUp(m_Profile, OnGLError, this);
    glFrontFace(m_Profile.clipControl ? GL_CW : GL_CCW);
    const auto* pRenderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    const bool llvmpipe = pRenderer && std::strstr(pRenderer, "llvmpipe");
    m_FinishBeforeReadBack = llvmpipe;
    m_Gl.SetPolygonModeCall(m_Profile.polygonMode);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);

    glGenVertexArrays(1, &m_Vao);
    glBindVertexArray(m_Vao);
    glGenFramebuffers(1, &m_DrawFbo);
    glGenFramebuffers(1, &m_ReadFbo);
    m_VertexRing.Create(m_Gl, VERTEX_RING_BYTES, m_Profile.mapWrite);
    m_IndexRing.Create(m_Gl, INDEX_RING_BYTES, m_Profile.mapWrite, FanList());
    m_ConstantRing.Create(m_Gl, CONSTANT_RING_BYTES, m_Profile.mapWrite);
    m_UniformAlignment = std::size_t(std::max(GetInteger(GL_UNIFORM_BUFFER_OFFSET_ALIGNMENT), 16));
    for (int stage = 0; stage < SHADER_STAGE_MAX; ++stage)
        m_Constants[stage].bytes.assign(ConstantBlockSize(ShaderStage(stage)), 0);

    ReadCaps(m_Profile, m_Caps);
    // llvmpipe's shader compiler crashes building an anisotropic sampler that the shader
    // samples with a LOD bias or gradients (every sample on ES carries the sampler's bias):
    // there anisotropic filtering falls back to linear.
    if (llvmpipe)
        m_Caps.MaxAnisotropy = 1;

    if (!CreateBackBuffer())
        return false;
    ResetStates();
    m_Surface->SetSwapInterval(SwapInterval(m_Params.PresentationInterval));
    return true;
}

bool Device::CreateBackBuffer()
{
    m_BackBuffer.Reset();
    m_AutoDepthStencil.Reset();
    if (m_Params.BackBufferWidth == 0 || m_Params.BackBufferHeight == 0)
    {
        int width = 0;
        int height = 0;
        m_Surface->DrawableSize(width, height);
        m_Params.BackBufferWidth = UINT(std::max(width, 1));
        m_Params.BackBufferHeight = UINT(std::max(height, 1));
    }
    if (m_Params.BackBufferFormat == D3DFMT_UNKNOWN)
        m_Params.BackBufferFormat = D3DFMT_X8R8G8B8;
    m_Params.BackBufferCount = 1;
    const GLFormat_t* pFormat = GetGLFormat(m_Params.BackBufferFormat, m_Profile.es, true);
    if (!pFormat || !pFormat->renderable || m_Params.BackBufferWidth > m_Caps.MaxTextureWidth ||
        m_Params.BackBufferHeight > m_Caps.MaxTextureHeight)
    {
        Log(LOG_MODULE, LOG_LEVEL_ERROR, "Back buffer %ux%u of format %u is not supported",
            m_Params.BackBufferWidth, m_Params.BackBufferHeight,
            unsigned(m_Params.BackBufferFormat));
        return false;
    }
    const TextureDesc_t desc = {D3DRTYPE_TEXTURE,
                                m_Params.BackBufferWidth,
                                m_Params.BackBufferHeight,
                                1,
                                1,
                                D3DUSAGE_RENDERTARGET,
                                m_Params.BackBufferFormat,
                                D3DPOOL_DEFAULT};
    auto backBuffer = RefPtr<IDirect3DTexture9>::Adopt(new Texture2D(this, desc));
    if (!static_cast<Texture2D*>(backBuffer.Get())->Create())
        return false;
    m_BackBuffer = backBuffer;
    if (m_Params.EnableAutoDepthStencil)
    {
        IDirect3DSurface9* pDepth = nullptr;
        if (FAILED(CreateDepthStencilSurface(m_Params.BackBufferWidth, m_Params.BackBufferHeight,
                                             m_Params.AutoDepthStencilFormat, D3DMULTISAMPLE_NONE,
                                             0, FALSE, &pDepth, nullptr)))
            return false;
        m_AutoDepthStencil = RefPtr<IDirect3DSurface9>::Adopt(pDepth);
    }
    return true;
}

HRESULT Device::TestCooperativeLevel()
{
    Activate();
    return glplatform::ContextLost(m_Profile) ? D3DERR_DEVICELOST : D3D_OK;
}

UINT Device::GetAvailableTextureMem()
{
    Activate();
    return UINT(std::min<uint64_t>(glplatform::VideoMemoryBytes(), 0xFFFFFFFFu));
}

HRESULT Device::GetDeviceCaps(D3DCAPS9* pCaps)
{
    if (!pCaps)
        return D3DERR_INVALIDCALL;
    *pCaps = m_Caps;
    return D3D_OK;
}

HRESULT Device::GetDirect3D(IDirect3D9** ppD3D9)
{
    if (!ppD3D9)
        return D3DERR_INVALIDCALL;
    *ppD3D9 = m_Direct3D.Share();
    return *ppD3D9 ? D3D_OK : D3DERR_INVALIDCALL;
}

HRESULT Device::Reset(D3DPRESENT_PARAMETERS* pPresentationParameters)
{
    if (!pPresentationParameters)
        return D3DERR_INVALIDCALL;
    Activate();
    const D3DPRESENT_PARAMETERS previous = m_Params;
    m_Params = *pPresentationParameters;
    // The bound state lets go of the old back buffer before a new one is made.
    for (RefPtr<IDirect3DSurface9>& target : m_RenderTargets)
        target.Reset();
    m_DepthStencil.Reset();
    m_FittedFor.Reset();
    if (!CreateBackBuffer())
    {
        m_Params = previous;
        if (!CreateBackBuffer())
            return D3DERR_DEVICELOST;
        ResetStates();
        return D3DERR_INVALIDCALL;
    }
    *pPresentationParameters = m_Params;
    ResetStates();
    m_Surface->SetSwapInterval(SwapInterval(m_Params.PresentationInterval));
    return D3D_OK;
}

void Device::PresentInto(const Halvex::Base::Letterbox& box, int width, int height)
{
    auto* pBackBuffer = static_cast<Texture2D*>(m_BackBuffer.Get());
    m_Gl.BindReadFramebuffer(m_ReadFbo);
    glFramebufferTexture2D(GL_READ_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D,
                           pBackBuffer->Name(), 0);
    m_Gl.BindDrawFramebuffer(0);
    m_Gl.Enable(GL_CAP_SCISSOR_TEST, false);
    m_Gl.ColorMask(0xF);
    if (box.width != width || box.height != height)
    {
        m_Gl.ClearColor(0xFF000000);
        glClear(GL_COLOR_BUFFER_BIT);
    }
    const GLint srcWidth = GLint(m_Params.BackBufferWidth);
    const GLint srcHeight = GLint(m_Params.BackBufferHeight);
    // The back buffer keeps row 0 at the top; the window's row 0 is at the bottom.
    const GLint top = height - box.y;
    glBlitFramebuffer(0, 0, srcWidth, srcHeight, box.x, top, box.x + box.width, top - box.height,
                      GL_COLOR_BUFFER_BIT,
                      box.width == srcWidth && box.height == srcHeight ? GL_NEAREST : GL_LINEAR);
    // Chromium's WebGL loses the read framebuffer binding when it shows the canvas while still
    // reporting it bound, so the next frame's bind would be skipped: leave it unbound.
    if (m_Profile.es)
        m_Gl.BindReadFramebuffer(0);
}

HRESULT Device::Present(const RECT*, const RECT*, HWND, const RGNDATA*)
{
    if (!m_BackBuffer)
        return D3DERR_DEVICELOST; // a failed Reset left no back buffer
    Activate();
    int width = 0;
    int height = 0;
    m_Surface->DrawableSize(width, height);
    const GLint srcWidth = GLint(m_Params.BackBufferWidth);
    const GLint srcHeight = GLint(m_Params.BackBufferHeight);
    // The back buffer keeps its size whatever the window's: it is scaled to fit the
    // drawable with its aspect ratio kept, between black bars. A minimised window has no
    // drawable and is shown nothing.
    const Halvex::Base::Letterbox box =
        Halvex::Base::FitLetterbox(srcWidth, srcHeight, width, height);
    if (!box.IsEmpty())
    {
        PresentInto(box, width, height);
        m_Surface->Swap();
    }
    CollectGLErrors();
    // The scissor test and colour mask go back to the draw state; the attachments of the
    // draw framebuffer did not change.
    m_Dirty |= DIRTY_BLEND | DIRTY_RASTER;

    const UINT errors = m_Counters.GLErrors;
    m_LastFrame = m_Counters;
    m_Counters = {};
    m_Counters.GLErrors = errors;
    if (m_pNewCapture)
        AdvanceCapture();
    return D3D_OK;
}

HRESULT Device::GetBackBuffer(UINT iSwapChain, UINT iBackBuffer, D3DBACKBUFFER_TYPE,
                              IDirect3DSurface9** ppBackBuffer)
{
    if (iSwapChain != 0 || iBackBuffer != 0 || !ppBackBuffer || !m_BackBuffer)
        return D3DERR_INVALIDCALL;
    return m_BackBuffer->GetSurfaceLevel(0, ppBackBuffer);
}

HRESULT Device::BeginScene()
{
    if (m_InScene)
        return D3DERR_INVALIDCALL;
    m_InScene = true;
    return D3D_OK;
}

HRESULT Device::EndScene()
{
    if (!m_InScene)
        return D3DERR_INVALIDCALL;
    BreakBatch();
    m_InScene = false;
    return D3D_OK;
}

void Device::CollectGLErrors()
{
    if (m_Profile.debugOutput)
        return;
    for (GLenum error = glGetError(); error != GL_NO_ERROR; error = glGetError())
    {
        char text[48];
        std::snprintf(text, sizeof(text), "error 0x%04X", unsigned(error));
        OnGLError(this, text);
    }
}

void Device::GetCounters(D3D9GL_COUNTERS* pCurrent, D3D9GL_COUNTERS* pLastFrame)
{
    BreakBatch();
    CollectGLErrors();
    if (pCurrent)
        *pCurrent = m_Counters;
    if (pLastFrame)
        *pLastFrame = m_LastFrame;
}

void Device::ResetCounters()
{
    const UINT errors = m_Counters.GLErrors;
    m_Counters = {};
    m_Counters.GLErrors = errors;
    m_LastFrame = {};
}

} // namespace d3d9gl

HRESULT D3D9GL_GetCounters(IDirect3DDevice9* pDevice, D3D9GL_COUNTERS* pCurrent,
                           D3D9GL_COUNTERS* pLastFrame)
{
    return d3d9gl::OnDevice(pDevice, [&](d3d9gl::Device& device)
                            { device.GetCounters(pCurrent, pLastFrame); });
}

HRESULT D3D9GL_ResetCounters(IDirect3DDevice9* pDevice)
{
    return d3d9gl::OnDevice(pDevice, [&](d3d9gl::Device& device) { device.ResetCounters(); });
}

HRESULT D3D9GL_GetLastShaderError(IDirect3DDevice9* pDevice, char* pBuffer, UINT bufferSize,
                                  UINT* pFailures)
{
    d3d9gl::Device* pGLDevice = d3d9gl::ToDevice(pDevice);
    if (!pGLDevice)
        return D3DERR_INVALIDCALL;
    if (pBuffer && bufferSize > 0)
    {
        const std::string& log = pGLDevice->GetLastShaderError();
        const std::size_t length = std::min<std::size_t>(log.size(), bufferSize - 1);
        std::memcpy(pBuffer, log.data(), length);
        pBuffer[length] = '\0';
    }
    if (pFailures)
        *pFailures = pGLDevice->GetShaderFailures();
    return D3D_OK;
}

HRESULT D3D9GL_GetLiveObjectCount(IDirect3DDevice9* pDevice, UINT* pCount)
{
    d3d9gl::Device* pGLDevice = d3d9gl::ToDevice(pDevice);
    if (!pGLDevice || !pCount)
        return D3DERR_INVALIDCALL;
    *pCount = static_cast<UINT>(pGLDevice->GetLiveObjectCount());
    return D3D_OK;
}

HRESULT D3D9GL_SetDrawMerging(IDirect3DDevice9* pDevice, BOOL enabled)
{
    return d3d9gl::OnDevice(pDevice, [&](d3d9gl::Device& device)
                            { device.SetDrawMerging(enabled != FALSE); });
}

HRESULT D3D9GL_SetPlainState(IDirect3DDevice9* pDevice, BOOL enabled)
{
    return d3d9gl::OnDevice(pDevice, [&](d3d9gl::Device& device)
                            { device.SetPlainState(enabled != FALSE); });
}

HRESULT D3D9GL_FailCreation(IDirect3DDevice9* pDevice, D3D9GL_CREATION_KIND kind, UINT nth)
{
    d3d9gl::Device* pGLDevice = d3d9gl::ToDevice(pDevice);
    if (!pGLDevice || kind < 0 || kind >= D3D9GL_CREATION_KIND_COUNT)
        return D3DERR_INVALIDCALL;
    pGLDevice->FailCreation(kind, nth);
    return D3D_OK;
}

HRESULT D3D9GL_SetNextShaderName(IDirect3DDevice9* pDevice, const char* pName)
{
    return d3d9gl::OnDevice(pDevice,
                            [&](d3d9gl::Device& device) { device.SetNextShaderName(pName); });
}
