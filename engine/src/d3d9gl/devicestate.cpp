#include "base/source/system/logger.h"
#include "d3d9gl/device.h"
#include "d3d9gl/glformat.h"
#include "d3d9gl/image/pixelformat.h"
#include "d3d9gl/statenames.h"
#include "d3d9gl/surface.h"
#include "d3d9gl/texture.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace d3d9gl
{
namespace
{

using Halvex::Base::Log;
using Halvex::Base::LOG_LEVEL_ERROR;
using Halvex::Base::LOG_LEVEL_WARNING_2;

constexpr GLenum COMPARE_FUNCS[] = {
    GL_ALWAYS,   // (invalid)
    GL_NEVER,    // D3DCMP_NEVER
    GL_LESS,     // D3DCMP_LESS
    GL_EQUAL,    // D3DCMP_EQUAL
    GL_LEQUAL,   // D3DCMP_LESSEQUAL
    GL_GREATER,  // D3DCMP_GREATER
    GL_NOTEQUAL, // D3DCMP_NOTEQUAL
    GL_GEQUAL,   // D3DCMP_GREATEREQUAL
    GL_ALWAYS,   // D3DCMP_ALWAYS
};
static_assert(sizeof(COMPARE_FUNCS) / sizeof(COMPARE_FUNCS[0]) == D3DCMP_ALWAYS + 1);

constexpr GLenum BLEND_FACTORS[] = {
    GL_ONE,                      // (invalid)
    GL_ZERO,                     // D3DBLEND_ZERO
    GL_ONE,                      // D3DBLEND_ONE
    GL_SRC_COLOR,                // D3DBLEND_SRCCOLOR
    GL_ONE_MINUS_SRC_COLOR,      // D3DBLEND_INVSRCCOLOR
    GL_SRC_ALPHA,                // D3DBLEND_SRCALPHA
    GL_ONE_MINUS_SRC_ALPHA,      // D3DBLEND_INVSRCALPHA
    GL_DST_ALPHA,                // D3DBLEND_DESTALPHA
    GL_ONE_MINUS_DST_ALPHA,      // D3DBLEND_INVDESTALPHA
    GL_DST_COLOR,                // D3DBLEND_DESTCOLOR
    GL_ONE_MINUS_DST_COLOR,      // D3DBLEND_INVDESTCOLOR
    GL_SRC_ALPHA_SATURATE,       // D3DBLEND_SRCALPHASAT
    GL_SRC_ALPHA,                // D3DBLEND_BOTHSRCALPHA (source part)
    GL_ONE_MINUS_SRC_ALPHA,      // D3DBLEND_BOTHINVSRCALPHA (source part)
    GL_CONSTANT_COLOR,           // D3DBLEND_BLENDFACTOR
    GL_ONE_MINUS_CONSTANT_COLOR, // D3DBLEND_INVBLENDFACTOR
};
static_assert(sizeof(BLEND_FACTORS) / sizeof(BLEND_FACTORS[0]) == D3DBLEND_INVBLENDFACTOR + 1);

constexpr GLenum BLEND_OPS[] = {
    GL_FUNC_ADD,              // (invalid)
    GL_FUNC_ADD,              // D3DBLENDOP_ADD
    GL_FUNC_SUBTRACT,         // D3DBLENDOP_SUBTRACT
    GL_FUNC_REVERSE_SUBTRACT, // D3DBLENDOP_REVSUBTRACT
    GL_MIN,                   // D3DBLENDOP_MIN
    GL_MAX,                   // D3DBLENDOP_MAX
};
static_assert(sizeof(BLEND_OPS) / sizeof(BLEND_OPS[0]) == D3DBLENDOP_MAX + 1);

constexpr GLenum STENCIL_OPS[] = {
    GL_KEEP,      // (invalid)
    GL_KEEP,      // D3DSTENCILOP_KEEP
    GL_ZERO,      // D3DSTENCILOP_ZERO
    GL_REPLACE,   // D3DSTENCILOP_REPLACE
    GL_INCR,      // D3DSTENCILOP_INCRSAT
    GL_DECR,      // D3DSTENCILOP_DECRSAT
    GL_INVERT,    // D3DSTENCILOP_INVERT
    GL_INCR_WRAP, // D3DSTENCILOP_INCR
    GL_DECR_WRAP, // D3DSTENCILOP_DECR
};
static_assert(sizeof(STENCIL_OPS) / sizeof(STENCIL_OPS[0]) == D3DSTENCILOP_DECR + 1);

template <size_t N> GLenum Lookup(const GLenum (&table)[N], DWORD value)
{
    return table[value < N ? value : 0];
}

float AsFloat(DWORD bits)
{
    float value;
    std::memcpy(&value, &bits, sizeof(value));
    return value;
}

// The sampler slot of a Direct3D sampler number: pixel 0-15, vertex 257-260; -1 otherwise.
GLStencilFace_t StencilFace(const DWORD* pStates, D3DRENDERSTATETYPE func, D3DRENDERSTATETYPE fail,
                            D3DRENDERSTATETYPE depthFail, D3DRENDERSTATETYPE pass)
{
    return {Lookup(COMPARE_FUNCS, pStates[func]),
            GLint(std::min<DWORD>(pStates[D3DRS_STENCILREF], 0xFF)),
            GLuint(pStates[D3DRS_STENCILMASK]),
            Lookup(STENCIL_OPS, pStates[fail]),
            Lookup(STENCIL_OPS, pStates[depthFail]),
            Lookup(STENCIL_OPS, pStates[pass]),
            GLuint(pStates[D3DRS_STENCILWRITEMASK])};
}

// Source and destination factors of one blend equation; BOTHSRCALPHA and BOTHINVSRCALPHA
// set both.
void BlendFactors(DWORD src, DWORD dst, GLenum& glSrc, GLenum& glDst)
{
    glSrc = Lookup(BLEND_FACTORS, src);
    glDst = Lookup(BLEND_FACTORS, dst);
    if (src == D3DBLEND_BOTHSRCALPHA)
        glDst = GL_ONE_MINUS_SRC_ALPHA;
    else if (src == D3DBLEND_BOTHINVSRCALPHA)
        glDst = GL_SRC_ALPHA;
}

// The dirty group a render state feeds; 0 for the states d3d9gl does not act on.
uint32_t RenderStateGroup(D3DRENDERSTATETYPE state)
{
    switch (state)
    {
    case D3DRS_ZENABLE:
    case D3DRS_ZFUNC:
    case D3DRS_ZWRITEENABLE:
    case D3DRS_STENCILENABLE:
    case D3DRS_STENCILFUNC:
    case D3DRS_STENCILFAIL:
    case D3DRS_STENCILZFAIL:
    case D3DRS_STENCILPASS:
    case D3DRS_STENCILREF:
    case D3DRS_STENCILMASK:
    case D3DRS_STENCILWRITEMASK:
    case D3DRS_TWOSIDEDSTENCILMODE:
    case D3DRS_CCW_STENCILFUNC:
    case D3DRS_CCW_STENCILFAIL:
    case D3DRS_CCW_STENCILZFAIL:
    case D3DRS_CCW_STENCILPASS:
        return DIRTY_DEPTH_STENCIL;
    case D3DRS_ALPHABLENDENABLE:
    case D3DRS_SRCBLEND:
    case D3DRS_DESTBLEND:
    case D3DRS_BLENDOP:
    case D3DRS_SEPARATEALPHABLENDENABLE:
    case D3DRS_SRCBLENDALPHA:
    case D3DRS_DESTBLENDALPHA:
    case D3DRS_BLENDOPALPHA:
    case D3DRS_BLENDFACTOR:
    case D3DRS_COLORWRITEENABLE:
        return DIRTY_BLEND;
    case D3DRS_CULLMODE:
    case D3DRS_FILLMODE:
    case D3DRS_SCISSORTESTENABLE:
    case D3DRS_SLOPESCALEDEPTHBIAS:
    case D3DRS_DEPTHBIAS:
        return DIRTY_RASTER;
    case D3DRS_POINTSIZE:
    case D3DRS_POINTSIZE_MIN:
    case D3DRS_POINTSIZE_MAX:
    case D3DRS_ALPHAREF:
    case D3DRS_ALPHATESTENABLE:
    case D3DRS_ALPHAFUNC:
        return DIRTY_SHADER_STATE;
    case D3DRS_SHADEMODE:
        return DIRTY_PROGRAM;
    default:
        return 0;
    }
}

// Filters, addresses, border, LOD bias and clamp, anisotropy: D3DSAMP_ADDRESSU to
// D3DSAMP_MAXANISOTROPY. sRGB reads, element index and displacement map offset are not.
bool CarriesSamplerState(D3DSAMPLERSTATETYPE type)
{
    return type >= D3DSAMP_ADDRESSU && type <= D3DSAMP_MAXANISOTROPY;
}

// Without border addressing in GL, the shader stands in for it and the sampler clamps.
GLint WrapMode(DWORD address, const GLProfile_t& profile)
{
    switch (address)
    {
    case D3DTADDRESS_MIRROR:
        return GL_MIRRORED_REPEAT;
    case D3DTADDRESS_CLAMP:
        return GL_CLAMP_TO_EDGE;
    case D3DTADDRESS_BORDER:
        return profile.samplerExtras ? GL_CLAMP_TO_BORDER : GL_CLAMP_TO_EDGE;
    case D3DTADDRESS_MIRRORONCE:
        return profile.mirrorClamp ? GL_MIRROR_CLAMP_TO_EDGE : GL_MIRRORED_REPEAT;
    default:
        return GL_REPEAT;
    }
}

// Direct3D clears the viewport only, and within the scissor rectangle while the scissor
// test is on.
RECT ClearArea(const D3DVIEWPORT9& viewport, const RECT& scissor, bool scissorTest)
{
    RECT area = {LONG(viewport.X), LONG(viewport.Y), LONG(viewport.X + viewport.Width),
                 LONG(viewport.Y + viewport.Height)};
    if (scissorTest)
    {
        area.left = std::max(area.left, scissor.left);
        area.top = std::max(area.top, scissor.top);
        area.right = std::min(area.right, scissor.right);
        area.bottom = std::min(area.bottom, scissor.bottom);
    }
    return area;
}

// Opens the write masks of the cleared buffers and sets their clear values; returns the mask
// glClear takes.
GLbitfield SetClearValues(GLStateCache& gl, const DWORD* pStates, DWORD flags, D3DCOLOR color,
                          float z, DWORD stencil)
{
    GLbitfield mask = 0;
    if (flags & D3DCLEAR_TARGET)
    {
        mask |= GL_COLOR_BUFFER_BIT;
        gl.ColorMask(0xF);
        gl.ClearColor(color);
    }
    if (flags & D3DCLEAR_ZBUFFER)
    {
        mask |= GL_DEPTH_BUFFER_BIT;
        gl.DepthMask(true);
        gl.ClearDepth(z);
    }
    if (flags & D3DCLEAR_STENCIL)
    {
        mask |= GL_STENCIL_BUFFER_BIT;
        GLStencilFace_t face = StencilFace(pStates, D3DRS_STENCILFUNC, D3DRS_STENCILFAIL,
                                           D3DRS_STENCILZFAIL, D3DRS_STENCILPASS);
        face.writeMask = 0xFF;
        gl.Stencil(0, face);
        gl.Stencil(1, face);
        gl.ClearStencil(GLint(stencil & 0xFF));
    }
    return mask;
}

} // namespace

int SamplerSlot(DWORD sampler)
{
    if (sampler < PIXEL_SAMPLER_MAX)
        return int(sampler);
    if (sampler >= D3DVERTEXTEXTURESAMPLER0 && sampler <= D3DVERTEXTEXTURESAMPLER3)
        return int(GL_UNIT_VERTEX_SAMPLER0 + sampler - D3DVERTEXTEXTURESAMPLER0);
    return -1;
}

// ---- Render states ----------------------------------------------------------------------

void Device::ReportOnce(const std::string& kind, int level, const std::string& message)
{
    if (m_Reported.insert(kind).second)
        Log(LOG_MODULE, level, "%s", message.c_str());
}

void Device::ReportIgnoredState(UINT bit, const char* pName, const char* pKind, DWORD state,
                                DWORD value)
{
    if (m_ReportedStates.test(bit))
        return;
    m_ReportedStates.set(bit);
    // "D3DRS_FOGENABLE", or the number where no name is known.
    const std::string name = pName ? pName : pKind + std::to_string(state);
    Log(LOG_MODULE, LOG_LEVEL_WARNING_2,
        "%s is not carried out by d3d9gl; its value %lu has no effect", name.c_str(),
        static_cast<unsigned long>(value));
}

HRESULT Device::SetRenderState(D3DRENDERSTATETYPE State, DWORD Value)
{
    if (m_pRecording)
        Record(CaptureCall::RenderState, {State, Value});
    if (State >= RENDER_STATE_MAX)
        return D3DERR_INVALIDCALL;
    if (m_RenderStates[State] == Value)
        return D3D_OK;
    BreakBatch();
    m_RenderStates[State] = Value;
    const uint32_t group = RenderStateGroup(State);
    m_Dirty |= group;
    if (!group)
        ReportIgnoredState(State, RenderStateName(State), "render state ", State, Value);
    return D3D_OK;
}

HRESULT Device::GetRenderState(D3DRENDERSTATETYPE State, DWORD* pValue)
{
    if (State >= RENDER_STATE_MAX || !pValue)
        return D3DERR_INVALIDCALL;
    *pValue = m_RenderStates[State];
    return D3D_OK;
}

void Device::ApplyRenderStates()
{
    if (m_Dirty & DIRTY_DEPTH_STENCIL)
        ApplyDepthStencil();
    if (m_Dirty & DIRTY_BLEND)
        ApplyBlend();
    if (m_Dirty & DIRTY_RASTER)
        ApplyRaster();
    if (m_Dirty & DIRTY_SHADER_STATE)
        ApplyShaderState();
    m_Dirty &= ~DIRTY_RENDER_STATE;
}

void Device::ApplyDepthStencil()
{
    const DWORD* rs = m_RenderStates;
    const bool depth = rs[D3DRS_ZENABLE] != D3DZB_FALSE && m_DepthStencil;
    m_Gl.Enable(GL_CAP_DEPTH_TEST, depth);
    m_Gl.DepthFunc(Lookup(COMPARE_FUNCS, rs[D3DRS_ZFUNC]));
    m_Gl.DepthMask(rs[D3DRS_ZWRITEENABLE] != 0);

    m_Gl.Enable(GL_CAP_STENCIL_TEST, rs[D3DRS_STENCILENABLE] != 0);
    const GLStencilFace_t front = StencilFace(rs, D3DRS_STENCILFUNC, D3DRS_STENCILFAIL,
                                              D3DRS_STENCILZFAIL, D3DRS_STENCILPASS);
    m_Gl.Stencil(0, front);
    m_Gl.Stencil(1, rs[D3DRS_TWOSIDEDSTENCILMODE]
                        ? StencilFace(rs, D3DRS_CCW_STENCILFUNC, D3DRS_CCW_STENCILFAIL,
                                      D3DRS_CCW_STENCILZFAIL, D3DRS_CCW_STENCILPASS)
                        : front);
}

void Device::ApplyBlend()
{
    const DWORD* rs = m_RenderStates;
    m_Gl.Enable(GL_CAP_BLEND, rs[D3DRS_ALPHABLENDENABLE] != 0);
    GLenum src, dst, srcAlpha, dstAlpha;
    BlendFactors(rs[D3DRS_SRCBLEND], rs[D3DRS_DESTBLEND], src, dst);
    GLenum op = Lookup(BLEND_OPS, rs[D3DRS_BLENDOP]);
    GLenum opAlpha = op;
    if (rs[D3DRS_SEPARATEALPHABLENDENABLE])
    {
        BlendFactors(rs[D3DRS_SRCBLENDALPHA], rs[D3DRS_DESTBLENDALPHA], srcAlpha, dstAlpha);
        opAlpha = Lookup(BLEND_OPS, rs[D3DRS_BLENDOPALPHA]);
    }
    else
    {
        srcAlpha = src;
        dstAlpha = dst;
    }
    m_Gl.BlendFunc(src, dst, srcAlpha, dstAlpha);
    m_Gl.BlendEquation(op, opAlpha);
    m_Gl.BlendColor(rs[D3DRS_BLENDFACTOR]);
    m_Gl.ColorMask(rs[D3DRS_COLORWRITEENABLE] & (AlphaHeldAtOne() ? 0x7u : 0xFu));
}

bool Device::AlphaHeldAtOne() const
{
    if (!m_Profile.es || !m_RenderTargets[0])
        return false;
    const FormatInfo* pInfo =
        GetFormatInfo(static_cast<SurfaceImpl*>(m_RenderTargets[0].Get())->Format());
    return pInfo && !pInfo->alpha && !pInfo->floatingPoint;
}

void Device::ApplyRaster()
{
    const DWORD* rs = m_RenderStates;
    // GL's front faces are the ones Direct3D calls clockwise (see Initialize).
    m_Gl.Enable(GL_CAP_CULL_FACE, rs[D3DRS_CULLMODE] != D3DCULL_NONE);
    m_Gl.CullFace(rs[D3DRS_CULLMODE] == D3DCULL_CW ? GL_FRONT : GL_BACK);
    // Without polygon modes, the draw itself draws edges or points (deviceoutline.cpp).
    if (m_Profile.polygonMode)
        m_Gl.PolygonMode(rs[D3DRS_FILLMODE] == D3DFILL_POINT && m_Profile.pointFill ? GL_POINT
                         : rs[D3DRS_FILLMODE] == D3DFILL_WIREFRAME                  ? GL_LINE
                                                                                    : GL_FILL);
    m_Gl.Enable(GL_CAP_SCISSOR_TEST, rs[D3DRS_SCISSORTESTENABLE] != 0);

    // Direct3D's depth bias is a fraction of the depth range; GL counts steps of the
    // 24-bit depth buffer.
    const float slope = AsFloat(rs[D3DRS_SLOPESCALEDEPTHBIAS]);
    const float bias = AsFloat(rs[D3DRS_DEPTHBIAS]);
    const bool offset = slope != 0.0f || bias != 0.0f;
    m_Gl.Enable(GL_CAP_POLYGON_OFFSET_FILL, offset);
    if (!m_Profile.es)
    {
        m_Gl.Enable(GL_CAP_POLYGON_OFFSET_LINE, offset);
        m_Gl.Enable(GL_CAP_POLYGON_OFFSET_POINT, offset);
    }
    if (offset)
        m_Gl.PolygonOffset(slope, bias * 16777216.0f);
}

void Device::ApplyShaderState()
{
    const DWORD* rs = m_RenderStates;
    const float pointSize =
        std::clamp(AsFloat(rs[D3DRS_POINTSIZE]), AsFloat(rs[D3DRS_POINTSIZE_MIN]),
                   std::max(AsFloat(rs[D3DRS_POINTSIZE_MIN]), AsFloat(rs[D3DRS_POINTSIZE_MAX])));
    const ShaderState_t state = {pointSize, float(rs[D3DRS_ALPHAREF] & 0xFF),
                                 float(rs[D3DRS_ALPHATESTENABLE]
                                           ? std::clamp<DWORD>(rs[D3DRS_ALPHAFUNC], 1, 8)
                                           : DWORD(D3DCMP_ALWAYS)),
                                 m_ShaderState.colorSwizzle};
    if (std::memcmp(&state, &m_ShaderState, sizeof(state)) != 0)
    {
        m_ShaderState = state;
        m_ShaderStateDirty = true;
    }
}

// ---- Viewport and scissor ---------------------------------------------------------------

HRESULT Device::SetViewport(const D3DVIEWPORT9* pViewport)
{
    if (m_pRecording)
        Record(CaptureCall::Viewport, {}, nullptr, pViewport, pViewport ? sizeof(*pViewport) : 0);
    if (!pViewport || pViewport->Width == 0 || pViewport->Height == 0)
        return D3DERR_INVALIDCALL;
    if (std::memcmp(pViewport, &m_Viewport, sizeof(m_Viewport)) == 0)
        return D3D_OK;
    BreakBatch();
    m_Viewport = *pViewport;
    m_Dirty |= DIRTY_VIEWPORT;
    return D3D_OK;
}

HRESULT Device::GetViewport(D3DVIEWPORT9* pViewport)
{
    if (!pViewport)
        return D3DERR_INVALIDCALL;
    *pViewport = m_Viewport;
    return D3D_OK;
}

HRESULT Device::SetScissorRect(const RECT* pRect)
{
    if (m_pRecording)
        Record(CaptureCall::Scissor, {}, nullptr, pRect, pRect ? sizeof(*pRect) : 0);
    if (!pRect)
        return D3DERR_INVALIDCALL;
    if (std::memcmp(pRect, &m_ScissorRect, sizeof(m_ScissorRect)) == 0)
        return D3D_OK;
    BreakBatch();
    m_ScissorRect = *pRect;
    m_Dirty |= DIRTY_VIEWPORT;
    return D3D_OK;
}

HRESULT Device::GetScissorRect(RECT* pRect)
{
    if (!pRect)
        return D3DERR_INVALIDCALL;
    *pRect = m_ScissorRect;
    return D3D_OK;
}

void Device::ApplyViewport()
{
    // Row 0 of every target is its top row, so Direct3D's rectangles apply unchanged.
    m_Gl.Viewport(GLint(m_Viewport.X), GLint(m_Viewport.Y), GLsizei(m_Viewport.Width),
                  GLsizei(m_Viewport.Height));
    m_Gl.DepthRange(m_Viewport.MinZ, m_Viewport.MaxZ);
    const RECT& r = m_ScissorRect;
    m_Gl.Scissor(r.left, r.top, std::max<LONG>(r.right - r.left, 0),
                 std::max<LONG>(r.bottom - r.top, 0));
}

// ---- Clear ------------------------------------------------------------------------------

HRESULT Device::Clear(DWORD Count, const D3DRECT* pRects, DWORD Flags, D3DCOLOR Color, float Z,
                      DWORD Stencil)
{
    if (m_pRecording)
        Record(CaptureCall::Clear, {Count, Flags, Color, FloatBits(Z), Stencil}, nullptr, pRects,
               pRects ? Count * sizeof(D3DRECT) : 0);
    if ((Count > 0 && !pRects) ||
        (Flags & ~DWORD(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL)))
        return D3DERR_INVALIDCALL;
    if (Flags == 0)
        return D3D_OK;
    // As in Direct3D, depth and stencil can only be cleared where the buffer has them.
    auto* pDepth = static_cast<SurfaceImpl*>(m_DepthStencil.Get());
    const GLDepthFormat_t* pDepthFormat =
        pDepth ? GetGLDepthFormat(pDepth->Format(), m_Profile.es) : nullptr;
    if (((Flags & D3DCLEAR_ZBUFFER) && !pDepthFormat) ||
        ((Flags & D3DCLEAR_STENCIL) && !(pDepthFormat && pDepthFormat->stencil)))
    {
        Log(LOG_MODULE, LOG_LEVEL_ERROR, "Clear: the depth-stencil surface lacks a cleared buffer");
        return D3DERR_INVALIDCALL;
    }
    Activate();
    if (m_PlainState)
        ForgetAppliedState();
    BindFramebuffer();

    const RECT area = ClearArea(m_Viewport, m_ScissorRect, m_RenderStates[D3DRS_SCISSORTESTENABLE]);
    const GLbitfield mask = SetClearValues(
        m_Gl, m_RenderStates, Flags, AlphaHeldAtOne() ? Color | 0xFF000000u : Color, Z, Stencil);
    m_Gl.Enable(GL_CAP_SCISSOR_TEST, true);
    const DWORD rectCount = Count > 0 ? Count : 1;
    for (DWORD i = 0; i < rectCount; ++i)
    {
        LONG x1 = area.left, y1 = area.top, x2 = area.right, y2 = area.bottom;
        if (Count > 0)
        {
            x1 = std::max(x1, pRects[i].x1);
            y1 = std::max(y1, pRects[i].y1);
            x2 = std::min(x2, pRects[i].x2);
            y2 = std::min(y2, pRects[i].y2);
        }
        if (x2 <= x1 || y2 <= y1)
            continue;
        m_Gl.Scissor(x1, y1, x2 - x1, y2 - y1);
        glClear(mask);
    }
    // The masks and the scissor rectangle are the draw state's again at the next draw.
    m_Dirty |= DIRTY_DEPTH_STENCIL | DIRTY_BLEND | DIRTY_RASTER | DIRTY_VIEWPORT;
    return D3D_OK;
}

// ---- Textures and sampler states --------------------------------------------------------

HRESULT Device::SetTexture(DWORD Stage, IDirect3DBaseTexture9* pTexture)
{
    if (m_pRecording)
        Record(CaptureCall::Texture, {Stage}, pTexture);
    const int slot = SamplerSlot(Stage);
    if (slot < 0 || (pTexture && !ToTextureBase(pTexture)))
        return D3DERR_INVALIDCALL;
    if (m_Textures[slot] == pTexture)
        return D3D_OK;
    BreakBatch();
    m_Textures[slot] = RefPtr<IDirect3DBaseTexture9>(pTexture);
    m_DirtySamplers |= 1u << slot;
    return D3D_OK;
}

HRESULT Device::GetTexture(DWORD Stage, IDirect3DBaseTexture9** ppTexture)
{
    const int slot = SamplerSlot(Stage);
    if (slot < 0 || !ppTexture)
        return D3DERR_INVALIDCALL;
    *ppTexture = m_Textures[slot].Share();
    return D3D_OK;
}

HRESULT Device::SetSamplerState(DWORD Sampler, D3DSAMPLERSTATETYPE Type, DWORD Value)
{
    if (m_pRecording)
        Record(CaptureCall::SamplerState, {Sampler, DWORD(Type), Value});
    const int slot = SamplerSlot(Sampler);
    if (slot < 0 || Type >= SAMPLER_STATE_MAX)
        return D3DERR_INVALIDCALL;
    if (m_SamplerStates[slot][Type] == Value)
        return D3D_OK;
    BreakBatch();
    m_SamplerStates[slot][Type] = Value;
    m_DirtySamplers |= 1u << slot;
    if (!CarriesSamplerState(Type))
        ReportIgnoredState(RENDER_STATE_MAX + Type, SamplerStateName(Type), "sampler state ", Type,
                           Value);
    if (Type == D3DSAMP_MAXANISOTROPY && Value > m_Caps.MaxAnisotropy)
        ReportOnce("anisotropy", LOG_LEVEL_WARNING_2,
                   "D3DSAMP_MAXANISOTROPY " + std::to_string(Value) +
                       " is above the device's MaxAnisotropy of " +
                       std::to_string(m_Caps.MaxAnisotropy) + "; that is used instead");
    return D3D_OK;
}

HRESULT Device::GetSamplerState(DWORD Sampler, D3DSAMPLERSTATETYPE Type, DWORD* pValue)
{
    const int slot = SamplerSlot(Sampler);
    if (slot < 0 || Type >= SAMPLER_STATE_MAX || !pValue)
        return D3DERR_INVALIDCALL;
    *pValue = m_SamplerStates[slot][Type];
    return D3D_OK;
}

void Device::ApplySamplers()
{
    for (UINT slot = 0; slot < SAMPLER_SLOT_MAX; ++slot)
    {
        if (!(m_DirtySamplers & (1u << slot)))
            continue;
        if (TextureBase* pTexture = ToTextureBase(m_Textures[slot].Get()))
            m_Gl.BindTexture(slot, pTexture->Target(), pTexture->Name());
        else
            m_Gl.BindTexture(slot, GL_TEXTURE_2D, 0);
        ApplySampler(slot);
    }
    m_DirtySamplers = 0;
}

void Device::ApplySampler(UINT slot)
{
    const DWORD* ss = m_SamplerStates[slot];
    const bool linearMin = ss[D3DSAMP_MINFILTER] >= D3DTEXF_LINEAR;
    GLint minFilter = linearMin ? GL_LINEAR : GL_NEAREST;
    if (ss[D3DSAMP_MIPFILTER] == D3DTEXF_POINT)
        minFilter = linearMin ? GL_LINEAR_MIPMAP_NEAREST : GL_NEAREST_MIPMAP_NEAREST;
    else if (ss[D3DSAMP_MIPFILTER] >= D3DTEXF_LINEAR)
        minFilter = linearMin ? GL_LINEAR_MIPMAP_LINEAR : GL_NEAREST_MIPMAP_LINEAR;
    SamplerKey_t wanted = {};
    wanted.minFilter = minFilter;
    wanted.magFilter = ss[D3DSAMP_MAGFILTER] >= D3DTEXF_LINEAR ? GL_LINEAR : GL_NEAREST;
    for (int axis = 0; axis < 3; ++axis)
        wanted.wrap[axis] = WrapMode(ss[D3DSAMP_ADDRESSU + axis], m_Profile);
    if (m_Profile.samplerExtras)
    {
        wanted.border = ss[D3DSAMP_BORDERCOLOR];
        wanted.lodBias = AsFloat(ss[D3DSAMP_MIPMAPLODBIAS]);
    }
    wanted.minLod = float(ss[D3DSAMP_MAXMIPLEVEL]);
    const bool anisotropic = ss[D3DSAMP_MINFILTER] == D3DTEXF_ANISOTROPIC ||
                             ss[D3DSAMP_MAGFILTER] == D3DTEXF_ANISOTROPIC;
    wanted.anisotropy =
        anisotropic ? float(std::clamp<DWORD>(ss[D3DSAMP_MAXANISOTROPY], 1, m_Caps.MaxAnisotropy))
                    : 1.0f;
    m_SlotSamplers[slot] =
        m_SamplerCache.Get(wanted, m_Profile, m_Caps.MaxAnisotropy > 1, &m_Counters.StateChanges);
    m_Gl.BindSampler(slot, m_SlotSamplers[slot]);
}

} // namespace d3d9gl
